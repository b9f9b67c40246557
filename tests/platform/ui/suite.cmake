# Text is measured and drawn through fontconfig and Pango.
vk_test_renders_text(${suite})

# Buttons are checked by their rendered pixels.
target_link_libraries(${suite} PRIVATE velliumkit)
