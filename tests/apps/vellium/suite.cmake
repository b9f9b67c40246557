# The suite runs the built `vellium` program, found through VK_VELLIUM_PATH.
add_dependencies(${suite} vellium)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM_PATH="$<TARGET_FILE:vellium>")
