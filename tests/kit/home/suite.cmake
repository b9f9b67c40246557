# Home screens and the changelog measure and draw text; their reviewed view trees live in golden/.
vk_test_renders_text(${suite})
target_compile_definitions(${suite} PRIVATE VK_HOME_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden"
  VK_REPOSITORY_SERVER="${PROJECT_SOURCE_DIR}/scripts/repository-server"
  VK_EXAMPLE_CHANGELOG="${PROJECT_SOURCE_DIR}/examples/Repository/depictions/exampletweak/changelog.plist")
# A second process hears the style-picker request through `vellium notify watch`.
add_dependencies(${suite} vellium)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM="$<TARGET_FILE:vellium>")
