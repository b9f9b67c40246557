# Text is measured and drawn through fontconfig and Pango.
vk_test_renders_text(${suite})

# A program that renders text, optionally leaking one object, for the leak-suppression test.
add_executable(gfx_leak_probe ${CMAKE_CURRENT_LIST_DIR}/probe/LeakProbe.cpp)
target_link_libraries(gfx_leak_probe PRIVATE velliumkit PkgConfig::CAIRO PkgConfig::PANGO)
vk_target_defaults(gfx_leak_probe)
add_dependencies(${suite} gfx_leak_probe)
target_compile_definitions(${suite} PRIVATE GFX_LEAK_PROBE="$<TARGET_FILE:gfx_leak_probe>"
  GFX_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp")
target_compile_definitions(${suite} PRIVATE VK_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
