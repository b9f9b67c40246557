# Images and fonts reach fontconfig and Pango, which are built without frame pointers: the
# leak suppressions for their process-lifetime caches only match with full unwinding, which
# would slow the file and process tests of the main suite badly. So those tests are a
# suite of their own, test_kit_store_graphics, with full unwinding.
set(store_graphics test_kit_store_graphics)
add_executable(${store_graphics} ${CMAKE_CURRENT_LIST_DIR}/graphics/VLPrefsImageAndFontTest.cpp)
target_link_libraries(${store_graphics} PRIVATE velliumkit GTest::gtest GTest::gmock GTest::gtest_main)
target_include_directories(${store_graphics} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
vk_target_defaults(${store_graphics})
add_test(NAME ${store_graphics} COMMAND ${store_graphics})
set(store_graphics_env ${VK_SANITIZER_ENV})
list(TRANSFORM store_graphics_env REPLACE "^ASAN_OPTIONS=" "ASAN_OPTIONS=fast_unwind_on_malloc=0:")
list(APPEND store_graphics_env "G_SLICE=always-malloc")
set_tests_properties(${store_graphics} PROPERTIES ENVIRONMENT "${store_graphics_env}" TIMEOUT 900)
