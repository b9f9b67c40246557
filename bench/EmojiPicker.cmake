# The emoji picker benchmark reads the emoji file the build generates.
add_dependencies(bench_EmojiPicker emoji-file)
target_compile_definitions(bench_EmojiPicker PRIVATE VK_EMOJI_FILE="${VK_EMOJI_FILE}")
