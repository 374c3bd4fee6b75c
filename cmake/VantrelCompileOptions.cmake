# Warnings and sanitizers shared by every target of the project.
add_library(vantrel_build_options INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(vantrel_build_options INTERFACE -Wall -Wextra)
  if(WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC does not align the stack for 32-byte AVX spills on Windows (its
    # bug 54412): the assembler turns aligned vector moves into unaligned
    # ones, which cost nothing on processors with AVX.
    target_compile_options(vantrel_build_options INTERFACE -Wa,-muse-unaligned-vector-move)
  endif()
  if(VANTREL_WERROR)
    target_compile_options(vantrel_build_options INTERFACE -Werror)
  endif()
  if(VANTREL_BUILD_FUZZERS)
    # The whole library carries the fuzzers' coverage hooks and the address
    # and undefined-behaviour checks, not just the fuzzer's own file.
    target_compile_options(vantrel_build_options INTERFACE
      -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(vantrel_build_options INTERFACE -fsanitize=address,undefined)
  elseif(VANTREL_SANITIZE)
    target_compile_options(vantrel_build_options INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(vantrel_build_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()
