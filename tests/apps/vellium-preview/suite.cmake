# The preview's tests run the real `vellium-preview` program; it draws text.
add_dependencies(${suite} vellium-preview)
target_compile_definitions(${suite} PRIVATE VK_VELLIUM_PREVIEW="$<TARGET_FILE:vellium-preview>")
vk_test_renders_text(${suite})
# The window test drives the gallery itself in a host window, so it builds the gallery's pages.
file(GLOB gallery_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/apps/vellium-preview/Gallery*.cpp)
target_sources(${suite} PRIVATE ${gallery_sources})
target_include_directories(${suite} PRIVATE ${PROJECT_SOURCE_DIR}/apps/vellium-preview)
# The example tweak's window test loads the tweak's bundle in the preview's frame, on a device
# root laid out by the project's script, and watches with `vellium prefs watch`.
target_sources(${suite} PRIVATE ${PROJECT_SOURCE_DIR}/apps/vellium-preview/HostApplication.cpp
  ${PROJECT_SOURCE_DIR}/apps/vellium-preview/HostPageViewController.cpp
  ${PROJECT_SOURCE_DIR}/apps/vellium-preview/InstalledTweaksViewController.cpp)
target_link_libraries(${suite} PRIVATE vellium_host)
add_dependencies(${suite} ExampleTweak QuietTweak vellium)
target_compile_definitions(${suite} PRIVATE VK_MAKE_DEVICE_ROOT="${PROJECT_SOURCE_DIR}/scripts/make-device-root"
  VK_BUILD_DIR="${PROJECT_BINARY_DIR}" VK_VELLIUM="$<TARGET_FILE:vellium>")
