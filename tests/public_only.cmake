# vantrel_public_only(<file> <result>) sets <result> to TRUE when the test
# source <file> reaches the library only through its public headers, so that
# it can run against vantrel.dll on Windows.  The rule, on every #include of
# the file and, in turn, of each helper it includes from tests/:
#  - <vantrel/seam/...> (what the library asks of the platform, not
#    installed) and any *_testing.h (an emulation's or a folder's hooks)
#    rule the file out;
#  - a header only a POSIX host has or uses that way
#    (VANTREL_POSIX_ONLY_HEADERS: fork, mmap guard pages, Unix sockets,
#    signals as a request to quit) or a Linux backend's library rules it
#    out;
#  - a quoted include must name a helper in tests/ that itself follows the
#    rule (a helper of tests/support/ with its .cpp as well, since that is
#    linked in); any other quoted include is one of the library's internal
#    headers and rules the file out.
# A file that names VANTREL_VIDEO or VANTREL_AUDIO picks one of the Linux
# emulation's backends (headless, a WAV recorder) and tests that backend.
# Every other angle include (<vantrel.h>, <vantrel/...>, <vantrel/win32/...>,
# GoogleTest, the C++ and C libraries) is allowed.
set(VANTREL_POSIX_ONLY_HEADERS
  sys/wait.h sys/mman.h sys/socket.h sys/un.h sys/resource.h netinet/in.h arpa/inet.h
  csignal signal.h SDL.h sndfile.h)

function(vantrel_public_only file result)
  get_property(known GLOBAL PROPERTY "VANTREL_PUBLIC_ONLY:${file}" SET)
  if(known)
    get_property(answer GLOBAL PROPERTY "VANTREL_PUBLIC_ONLY:${file}")
    set(${result} ${answer} PARENT_SCOPE)
    return()
  endif()
  # Assumed public while the file is being read, so that two helpers that
  # include each other end the walk.
  set_property(GLOBAL PROPERTY "VANTREL_PUBLIC_ONLY:${file}" TRUE)
  set(answer TRUE)
  get_filename_component(here ${file} DIRECTORY)
  file(STRINGS ${file} picks_backend REGEX "VANTREL_(VIDEO|AUDIO)")
  if(picks_backend)
    set(answer FALSE)
  endif()
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    if(NOT answer)
      break()
    endif()
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"].*" "\\1;\\2" parts "${line}")
    list(GET parts 0 kind)
    list(GET parts 1 name)
    if(name MATCHES "^vantrel/seam/" OR name MATCHES "_testing\\.h$")
      set(answer FALSE)
    elseif(kind STREQUAL "<")
      if(name IN_LIST VANTREL_POSIX_ONLY_HEADERS)
        set(answer FALSE)
      endif()
    else()
      set(helper)
      foreach(candidate ${here}/${name} ${VANTREL_TESTS_DIR}/${name} ${PROJECT_SOURCE_DIR}/${name})
        if(EXISTS ${candidate})
          get_filename_component(candidate ${candidate} REALPATH)
          string(FIND "${candidate}" "${VANTREL_TESTS_DIR}/" at)
          if(at EQUAL 0)
            set(helper ${candidate})
          endif()
          break()
        endif()
      endforeach()
      if(NOT helper)
        set(answer FALSE)
      else()
        vantrel_public_only(${helper} ok)
        string(REGEX REPLACE "\\.h$" ".cpp" helper_source ${helper})
        if(ok AND helper MATCHES "/support/[^/]*\\.h$" AND EXISTS ${helper_source})
          vantrel_public_only(${helper_source} ok)
        endif()
        if(NOT ok)
          set(answer FALSE)
        endif()
      endif()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY "VANTREL_PUBLIC_ONLY:${file}" ${answer})
  set(${result} ${answer} PARENT_SCOPE)
endfunction()
