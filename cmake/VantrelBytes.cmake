# Putting a file's bytes into a program, as vantrel_embed_archive and
# vantrel_add_resources both do: by the assembler's .incbin where it has one,
# else as a C++ string literal written at build time.

# vantrel_incbin_source(OUT SYMBOL PATH [TERMINATED]): sets OUT to C++ source
# text that places the bytes of PATH in read-only data, 16-byte aligned,
# between the hidden symbols SYMBOL_begin and SYMBOL_end; TERMINATED puts a
# zero byte after them (outside the size, for readers that look for one).
function(vantrel_incbin_source out symbol path)
  set(zero "")
  if("${ARGN}" STREQUAL "TERMINATED")
    set(zero "        \".byte 0\\n\"\n")
  endif()
  set(${out} "__asm__(\".pushsection .rodata.${symbol},\\\"a\\\"\\n\"
        \".balign 16\\n\"
        \".globl ${symbol}_begin\\n\"
        \".hidden ${symbol}_begin\\n\"
        \"${symbol}_begin:\\n\"
        \".incbin \\\"${path}\\\"\\n\"
        \".globl ${symbol}_end\\n\"
        \".hidden ${symbol}_end\\n\"
        \"${symbol}_end:\\n\"
${zero}        \".popsection\\n\");

extern \"C\" __attribute__((visibility(\"hidden\"))) const unsigned char ${symbol}_begin[];
extern \"C\" __attribute__((visibility(\"hidden\"))) const unsigned char ${symbol}_end[];
" PARENT_SCOPE)
endfunction()

# vantrel_bytes_literal(OUT FILE): sets OUT to the bytes of FILE as the inside
# of one C++ string literal, every byte a hexadecimal escape, 64 to a line,
# which compilers read far faster than a list of numbers.
function(vantrel_bytes_literal out file)
  file(READ "${file}" bytes HEX)
  set(line "")
  foreach(_ RANGE 1 128)
    string(APPEND line ".")
  endforeach()
  string(REGEX REPLACE "(${line})" "\\1\"\n\"" bytes "${bytes}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" bytes "${bytes}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()
