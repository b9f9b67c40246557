# vk_test_suite(NAME DIR LIB): every .cpp in DIR becomes one GoogleTest executable and one
# CTest entry. A suite.cmake in DIR may add helper programs, data or properties; it sees
# the suite's target as ${suite}.
set(VK_SANITIZER_ENV
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/ubsan.supp:print_stacktrace=1:halt_on_error=1"
  "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
  "VK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")

function(vk_test_suite suite dir lib)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${suite} ${sources})
  target_link_libraries(${suite} PRIVATE ${lib} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${suite} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  vk_target_defaults(${suite})
  add_test(NAME ${suite} COMMAND ${suite})
  set_tests_properties(${suite} PROPERTIES ENVIRONMENT "${VK_SANITIZER_ENV}" TIMEOUT 900)
  if(EXISTS ${dir}/suite.cmake)
    include(${dir}/suite.cmake)
  endif()
endfunction()
