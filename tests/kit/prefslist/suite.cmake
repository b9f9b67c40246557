# Cells measure their labels through fontconfig and Pango.
vk_test_renders_text(${suite})

# Reference images live beside the tests, the review sheet under docs/images; mismatching
# renders are written to the build tree.
target_compile_definitions(${suite} PRIVATE
  VK_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden"
  VK_GOLDEN_ACTUAL_DIR="${CMAKE_CURRENT_BINARY_DIR}/golden-actual"
  VK_CONTACT_SHEET="${PROJECT_SOURCE_DIR}/docs/images/prefs-cells.png")
