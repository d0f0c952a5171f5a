# -DTREV_FUZZ=ON, with clang: every library is built with the address and
# undefined-behaviour sanitizers and libFuzzer's coverage, and tests/fuzz adds one
# fuzz target per parser (scripts/fuzz runs them). The default build knows nothing of it.
option(TREV_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(TREV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TREV_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
