# The single-selection picker measures and draws its header and rows through fontconfig and Pango.
vk_test_renders_text(${suite})
target_compile_definitions(${suite} PRIVATE VK_PICKER_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
