# The single-selection picker measures and draws its header and rows through fontconfig and Pango.
vk_test_renders_text(${suite})

# The emoji picker's tests read the emoji file the build generates; its golden dumps live here.
add_dependencies(${suite} emoji-file)
target_compile_definitions(${suite} PRIVATE VK_EMOJI_FILE="${VK_EMOJI_FILE}"
  VK_PICKER_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden"
  VK_CONTACTS_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
