# Compile options shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

find_program(VK_CCACHE ccache)
if(VK_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_C_COMPILER_LAUNCHER ${VK_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${VK_CCACHE})
endif()

# VK_SANITIZE: empty, "address,undefined", "thread" or "fuzzer" (libFuzzer plus address, undefined).
set(VK_SANITIZE "" CACHE STRING "Sanitizers for the whole build")
if(VK_SANITIZE STREQUAL "fuzzer")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VK_SANITIZE)
  add_compile_options(-fsanitize=${VK_SANITIZE} -fno-omit-frame-pointer)
  if(VK_SANITIZE STREQUAL "thread" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC warns that TSan does not model standalone fences (Value's copy-on-write uses one).
    add_compile_options(-Wno-tsan)
  endif()
  add_link_options(-fsanitize=${VK_SANITIZE})
endif()

# Shared libraries must resolve every symbol at link time, except under clang's sanitizers,
# whose runtime only the executable carries.
if(VK_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(VK_NO_UNDEFINED "")
else()
  set(VK_NO_UNDEFINED -Wl,--no-undefined)
endif()

# Warnings are errors where the project is developed (the presets and CI turn this on), not
# for someone building a release with another compiler or other flags. Either way they apply to
# our own code only; third-party headers come in as system includes.
option(VK_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
set(VK_WARNING_OPTIONS -Wall -Wextra)
if(VK_WARNINGS_AS_ERRORS)
  list(APPEND VK_WARNING_OPTIONS -Werror)
endif()
# GCC 12's optimiser reports -Wrestrict, -Warray-bounds and -Wstringop-overflow inside
# libstdc++'s own string concatenation, vector insertion and copies once they are inlined (GCC
# bugs 105329 and 107852); they are false positives that later releases no longer give.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  list(APPEND VK_WARNING_OPTIONS -Wno-restrict -Wno-array-bounds -Wno-stringop-overflow)
endif()
function(vk_target_defaults target)
  target_compile_options(${target} PRIVATE ${VK_WARNING_OPTIONS})
endfunction()

# A part of the project: every .cpp below DIR. The platform layers are object libraries that
# all end up in the one shared kit library (pass SHARED for that one), so a process and every
# bundle it loads share one copy of each singleton. Platform headers are included by layer
# ("base/Value.h"), the kit's by subsystem ("store/VLPrefsManager.h").
function(vk_library target dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    # A layer with no classes yet still builds as an empty part.
    set(placeholder ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
    file(WRITE ${placeholder} "")
    set(sources ${placeholder})
  endif()
  if("SHARED" IN_LIST ARGN)
    add_library(${target} SHARED ${sources})
  else()
    add_library(${target} OBJECT ${sources})
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src/platform ${PROJECT_SOURCE_DIR}/src/kit)
  vk_target_defaults(${target})
endfunction()
