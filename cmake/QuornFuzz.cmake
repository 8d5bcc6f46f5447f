# The fuzzing build: clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer over every library, so the fuzzer sees the
# coverage of the code under test and any fault stops it at once.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUORN_BUILD_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)
