# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build; the
# fuzzing build adds libFuzzer's coverage instrumentation (clang only).
if(CORVANE_SANITIZE OR CORVANE_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(CORVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
