# The single-selection picker measures and draws its header and rows through fontconfig and Pango.
vk_test_renders_text(${suite})
