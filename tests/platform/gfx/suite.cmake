# fontconfig and Pango are built without frame pointers: LSan's suppressions can only match
# their allocations with full (slow) unwinding, which costs this suite little.
set(gfx_env ${VK_SANITIZER_ENV})
list(TRANSFORM gfx_env REPLACE "^ASAN_OPTIONS=" "ASAN_OPTIONS=fast_unwind_on_malloc=0:")
# GLib's slice allocator would keep a forgotten GObject reachable from its own free lists.
list(APPEND gfx_env "G_SLICE=always-malloc")
set_tests_properties(${suite} PROPERTIES ENVIRONMENT "${gfx_env}")

# A program that renders text, optionally leaking one object, for the leak-suppression test.
add_executable(gfx_leak_probe ${CMAKE_CURRENT_LIST_DIR}/probe/LeakProbe.cpp)
target_link_libraries(gfx_leak_probe PRIVATE vk_gfx PkgConfig::CAIRO PkgConfig::PANGO)
vk_target_defaults(gfx_leak_probe)
add_dependencies(${suite} gfx_leak_probe)
target_compile_definitions(${suite} PRIVATE GFX_LEAK_PROBE="$<TARGET_FILE:gfx_leak_probe>"
  GFX_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp")
target_compile_definitions(${suite} PRIVATE VK_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
