# The preview's tests run the real `vellium-preview` program; it draws text.
add_dependencies(${suite} vellium-preview)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM_PREVIEW="$<TARGET_FILE:vellium-preview>")
vk_test_renders_text(${suite})
# The window test drives the gallery itself in a host window, so it builds the gallery's pages.
file(GLOB gallery_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/apps/vellium-preview/Gallery*.cpp)
target_sources(${suite} PRIVATE ${gallery_sources})
target_include_directories(${suite} PRIVATE ${PROJECT_SOURCE_DIR}/apps/vellium-preview)
