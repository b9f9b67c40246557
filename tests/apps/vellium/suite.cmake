# The tool's tests run the real `vellium` program.
add_dependencies(${suite} vellium)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM="$<TARGET_FILE:vellium>")
