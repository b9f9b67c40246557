# Images and fonts reach fontconfig and Pango, whose leak checks need full unwinding; that
# would slow the file and process tests of the main suite badly, so those tests are a suite
# of their own.
vk_gtest_executable(test_kit_store_graphics velliumkit ${CMAKE_CURRENT_LIST_DIR}/graphics/VLPrefsImageAndFontTest.cpp)
vk_test_renders_text(test_kit_store_graphics)
