# Cells measure their labels through fontconfig and Pango.
vk_test_renders_text(${suite})
