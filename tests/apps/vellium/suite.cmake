# The command tests run the built tool.
add_dependencies(${suite} vellium)
target_compile_definitions(${suite} PRIVATE VELLIUM_TOOL="$<TARGET_FILE:vellium>")
