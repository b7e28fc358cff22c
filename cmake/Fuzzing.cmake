# With ROAMER_FUZZ every library is built with libFuzzer's coverage instrumentation and the
# address and undefined-behaviour sanitizers; only the programs under fuzz/ link libFuzzer.
if(ROAMER_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ROAMER_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  if(ROAMER_SANITIZE)
    message(FATAL_ERROR "ROAMER_FUZZ brings its own sanitizers; leave ROAMER_SANITIZE off")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
