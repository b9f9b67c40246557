# The font tests reach fontconfig and Pango, built without frame pointers: the leak
# suppressions for their process-lifetime caches only match with full unwinding.
set(store_env ${VK_SANITIZER_ENV})
list(TRANSFORM store_env REPLACE "^ASAN_OPTIONS=" "ASAN_OPTIONS=fast_unwind_on_malloc=0:")
list(APPEND store_env "G_SLICE=always-malloc")
set_tests_properties(${suite} PROPERTIES ENVIRONMENT "${store_env}")
