# The tool's tests run the real `vellium` program.
add_dependencies(${suite} vellium)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM="$<TARGET_FILE:vellium>")
# `vellium render` runs on a device root with the example tweak, laid out by the project's script.
add_dependencies(${suite} ExampleTweak)
target_compile_definitions(${suite} PRIVATE VK_MAKE_DEVICE_ROOT="${PROJECT_SOURCE_DIR}/scripts/make-device-root"
  VK_BUILD_DIR="${PROJECT_BINARY_DIR}" VK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
vk_test_renders_text(${suite})
