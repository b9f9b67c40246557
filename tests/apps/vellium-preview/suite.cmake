# The preview's tests run the real `vellium-preview` program; it draws text.
add_dependencies(${suite} vellium-preview)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM_PREVIEW="$<TARGET_FILE:vellium-preview>")
vk_test_renders_text(${suite})
