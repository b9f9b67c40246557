# vk_test_suite(NAME DIR LIB): every .cpp in DIR becomes one GoogleTest executable and one
# CTest entry. A suite.cmake in DIR may add helper programs, data or properties; it sees
# the suite's target as ${suite}.
set(VK_SANITIZER_ENV
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/ubsan.supp:print_stacktrace=1:halt_on_error=1"
  "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
  "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
  "VK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")

# Tests that measure or draw text reach fontconfig and Pango, which are built without frame
# pointers: the leak suppressions for their process-lifetime caches only match with full
# unwinding, and GLib's slice allocator would hide a forgotten GObject in its free lists.
set(VK_TEXT_SANITIZER_ENV ${VK_SANITIZER_ENV})
list(TRANSFORM VK_TEXT_SANITIZER_ENV REPLACE "^ASAN_OPTIONS=" "ASAN_OPTIONS=fast_unwind_on_malloc=0:")
list(APPEND VK_TEXT_SANITIZER_ENV "G_SLICE=always-malloc")

# One GoogleTest executable NAME from SOURCES, linked to LIB, registered with CTest.
function(vk_gtest_executable name lib)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ${lib} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  vk_target_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VK_SANITIZER_ENV}" TIMEOUT 900)
endfunction()

# Gives the test NAME the environment for suites that render text.
function(vk_test_renders_text name)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VK_TEXT_SANITIZER_ENV}")
endfunction()

function(vk_test_suite suite dir lib)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  vk_gtest_executable(${suite} ${lib} ${sources})
  if(EXISTS ${dir}/suite.cmake)
    include(${dir}/suite.cmake)
  endif()
endfunction()
