# The single-selection picker measures and draws its header and rows through fontconfig and Pango.
vk_test_renders_text(${suite})
# The contact picker's reviewed view trees.
target_compile_definitions(${suite} PRIVATE VK_CONTACTS_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
