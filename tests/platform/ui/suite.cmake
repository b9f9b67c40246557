# Text is measured and drawn through fontconfig and Pango: the same leak-checking environment
# as the graphics suite (see src/platform/gfx/README.md).
set(text_env ${VK_SANITIZER_ENV})
list(TRANSFORM text_env REPLACE "^ASAN_OPTIONS=" "ASAN_OPTIONS=fast_unwind_on_malloc=0:")
list(APPEND text_env "G_SLICE=always-malloc")
set_tests_properties(${suite} PROPERTIES ENVIRONMENT "${text_env}")

# Buttons are checked by their rendered pixels.
target_link_libraries(${suite} PRIVATE vk_host)
