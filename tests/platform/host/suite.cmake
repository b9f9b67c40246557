# Text is measured and drawn through fontconfig and Pango.
vk_test_renders_text(${suite})
