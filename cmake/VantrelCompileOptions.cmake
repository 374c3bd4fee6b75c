# Warnings and sanitizers shared by every target of the project.
add_library(vantrel_build_options INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(vantrel_build_options INTERFACE -Wall -Wextra)
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
