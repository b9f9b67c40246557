# The list screen benchmark lays out a device root with the example tweak and runs `vellium`.
add_dependencies(bench_PrefsListScreen vellium ExampleTweak)
target_compile_definitions(bench_PrefsListScreen PRIVATE
  VK_MAKE_DEVICE_ROOT="${PROJECT_SOURCE_DIR}/scripts/make-device-root"
  VK_BUILD_DIR="${PROJECT_BINARY_DIR}"
  VK_VELLIUM="$<TARGET_FILE:vellium>")
