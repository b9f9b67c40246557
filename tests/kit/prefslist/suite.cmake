# Cells measure their labels through fontconfig and Pango.
vk_test_renders_text(${suite})

# Reference images live beside the tests, the review sheet under docs/images; mismatching
# renders are written to the build tree.
target_compile_definitions(${suite} PRIVATE
  VK_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden"
  VK_GOLDEN_ACTUAL_DIR="${CMAKE_CURRENT_BINARY_DIR}/golden-actual"
  VK_CONTACT_SHEET="${PROJECT_SOURCE_DIR}/docs/images/prefs-cells.png")

# A second process that counts the screen's change notices (helpers/ is not globbed into the
# suite itself).
add_executable(notice_watcher ${CMAKE_CURRENT_LIST_DIR}/helpers/NoticeWatcher.cpp)
target_link_libraries(notice_watcher PRIVATE vk_base)
vk_target_defaults(notice_watcher)
add_dependencies(${suite} notice_watcher)
target_compile_definitions(${suite} PRIVATE VK_NOTICE_WATCHER="$<TARGET_FILE:notice_watcher>"
  VK_LIST_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
