# The fonts a page brings, cut down to the characters of the ANSI code page
# (Windows-1252: what text drawn by a game through the narrow calls can
# show).  DejaVu's faces cover thousands of characters a game never draws
# from that page; the cut faces keep every outline and hinting instruction of
# the characters they keep, so text looks the same, at a tenth of the
# download (1.15 MB of the demo's 3.4 MB with gzip, 0.12 MB after).  fontTools'
# pyftsubset (Debian: fonttools) cuts them while the build is configured;
# without it the whole faces go into pages.
#
# Sets VANTREL_WEB_FONT_DIR: the folder holding ${face}.ttf for each face of
# VANTREL_WEB_FONTS.
set(VANTREL_WEB_FONT_CHARACTERS
  "U+0020-007E,U+00A0-00FF,U+0152-0153,U+0160-0161,U+0178,U+017D-017E,U+0192,U+02C6,U+02DC,U+2013-2014,U+2018-201A,U+201C-201E,U+2020-2022,U+2026,U+2030,U+2039-203A,U+20AC,U+2122")

find_program(VANTREL_PYFTSUBSET pyftsubset)
if(NOT VANTREL_PYFTSUBSET)
  message(WARNING "pyftsubset (Debian: fonttools) was not found: pages bring DejaVu's whole faces "
                  "(about 1 MB more to download)")
  set(VANTREL_WEB_FONT_DIR ${VANTREL_WEB_FONT_SOURCE})
  return()
endif()

set(VANTREL_WEB_FONT_DIR ${PROJECT_BINARY_DIR}/web-fonts)
file(MAKE_DIRECTORY ${VANTREL_WEB_FONT_DIR})
foreach(face IN LISTS VANTREL_WEB_FONTS)
  set(source ${VANTREL_WEB_FONT_SOURCE}/${face}.ttf)
  set(cut ${VANTREL_WEB_FONT_DIR}/${face}.ttf)
  if(EXISTS ${cut} AND ${cut} IS_NEWER_THAN ${source})
    continue()
  endif()
  # Every layout feature and name is kept, so the cut face answers the
  # same questions as the whole one.
  execute_process(
    COMMAND ${VANTREL_PYFTSUBSET} ${source} --output-file=${cut} --unicodes=${VANTREL_WEB_FONT_CHARACTERS}
      --layout-features=* --notdef-outline --name-IDs=* --name-legacy --name-languages=*
    RESULT_VARIABLE failed ERROR_VARIABLE said OUTPUT_QUIET)
  if(failed)
    message(FATAL_ERROR "pyftsubset could not cut ${source}: ${said}")
  endif()
endforeach()
