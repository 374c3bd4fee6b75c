# The library's layering, checked on its sources:
#  - the subsystem folders (core/ display/ ... input/) reach the platform only
#    through its public headers, <vantrel/win32/...> and <vantrel/seam/...>:
#    no "platform/..." include;
#  - the platform stands below the library: no platform file includes a
#    library header, neither a public one (<vantrel.h>, <vantrel/NAME.h>)
#    nor one from the library's folders ("core/...", "include/...");
#    what both need (the pixel-format record, say) is the platform's, and the
#    library's header re-exports it;
#  - no library file outside platform/host/ includes a POSIX header
#    (unistd.h, dlfcn.h, dirent.h, sockets, pthread, ...): the host system's
#    services live in platform/host/<system>/, declared for the rest of the
#    platform in platform/host/*.h; nothing outside platform/host/ includes
#    platform/host/<system>/ itself;
#  - no backend switch (VANTREL_HAVE_SDL2) outside platform/backends/;
#  - the kernel (platform/kernel/) includes nothing of the window system
#    (platform/user/): the window system is built on the kernel (the last
#    error, names, cases), never the other way round;
#  - no backend includes another's headers (platform/backends/<name>/): what
#    two backends share lives in the backend-neutral folders or the seam;
#  - X11's headers (<X11/...>, and <SDL_syswm.h>, which includes them) only
#    in platform/backends/sdl/x11/, the one folder built when
#    VANTREL_WITH_X11 is on (its stand-in is platform/backends/sdl/without_x11/);
#  - Windows' own headers (<windows.h>, <ddraw.h>, <dsound.h>, <mmsystem.h>,
#    <winsock.h>, <shellapi.h>, ...) only in platform/windows/, the folder
#    built in place of the emulation on Windows; everything else reaches them
#    through <vantrel/win32/...> (platform/compat/ holds the same names for
#    ports on Linux);
#  - platform/shared/ and platform/windows/, built on Windows, include
#    nothing of the emulation (the emulated interfaces' folders, the
#    backends, platform/host/<system>/);
#  - the CD track decoder's library (<sndfile.h>) only in
#    platform/winmm/sndfile/, the one folder built when VANTREL_WITH_SNDFILE
#    is on (its stand-in for OFF builds is platform/winmm/wav_only/).
#  - fontconfig (<fontconfig/...>) only in platform/host/fonts/fontconfig/,
#    the font lookup built when VANTREL_WITH_FONTCONFIG is on (its stand-in
#    is platform/host/fonts/fixed_folder/).
#
# Included by the build, vantrel_check_layering() stops the configuration at
# the first breach; run as a script (cmake -DVANTREL_SOURCE_DIR=... -P
# VantrelLayering.cmake) it is the "layering" test.

set(VANTREL_LAYERING_POSIX_HEADERS
  unistd.h dlfcn.h dirent.h fcntl.h poll.h pthread.h signal.h strings.h link.h netdb.h
  "sys/[a-z_]+\\.h" "netinet/[a-z_]+\\.h" "arpa/[a-z_]+\\.h")

# The public Winsock header is the one exception: Winsock's socket types and
# calls are the system's own on this platform, so games get them from it.
# So is <sys/stat.h> beside _stat: the C library names st_atime and its
# kind as members of its own, which _stat has to match.
set(VANTREL_LAYERING_POSIX_EXEMPT platform/include/vantrel/win32/winsock.h platform/include/vantrel/win32/crt_stat.h
  platform/windows/include/vantrel/win32/crt_stat.h)

# The system's headers of Windows that the library's platform calls.
set(VANTREL_LAYERING_WINDOWS_HEADERS
  windows.h windowsx.h ddraw.h dsound.h dinput.h mmsystem.h mmreg.h winsock.h winsock2.h shellapi.h objbase.h unknwn.h
  commctrl.h winuser.h wingdi.h winbase.h direct.h io.h)
set(VANTREL_LAYERING_EMULATION_FOLDERS user gdi ddraw dsound dinput com winmm winsock kernel gameport backends)

function(vantrel_layering_breaches source_dir out_var)
  set(subsystems core display archive window surface rle anim audio net input)
  set(breaches)
  string(JOIN "|" posix_alternatives ${VANTREL_LAYERING_POSIX_HEADERS})
  set(posix_regex "#[ \t]*include[ \t]*<(${posix_alternatives})>")
  string(JOIN "|" library_folders include ${subsystems})
  set(library_header_regex
    "#[ \t]*include[ \t]*(<vantrel\\.h>|<vantrel/[A-Za-z0-9_]+\\.h>|\"(${library_folders})/)")

  string(JOIN "|" windows_alternatives ${VANTREL_LAYERING_WINDOWS_HEADERS})
  string(REPLACE "." "\\." windows_alternatives "${windows_alternatives}")
  set(windows_regex "#[ \t]*include[ \t]*<(${windows_alternatives})>")
  string(JOIN "|" emulation_alternatives ${VANTREL_LAYERING_EMULATION_FOLDERS})
  set(emulation_regex "#[ \t]*include[ \t]*\"platform/((${emulation_alternatives})/|host/[a-z0-9_]+/)")

  set(globs)
  foreach(dir IN LISTS subsystems)
    list(APPEND globs ${source_dir}/${dir}/*.cpp ${source_dir}/${dir}/*.h)
  endforeach()
  file(GLOB_RECURSE library_files ${globs})
  file(GLOB_RECURSE platform_files ${source_dir}/platform/*.cpp ${source_dir}/platform/*.h)

  foreach(file IN LISTS library_files platform_files)
    file(RELATIVE_PATH rel ${source_dir} ${file})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*(include|if|ifdef|ifndef|elif)")
    string(REGEX MATCH "^platform/" in_platform "${rel}")
    string(REGEX MATCH "^platform/host/" in_host "${rel}")
    string(REGEX MATCH "^platform/backends/" in_backends "${rel}")
    string(REGEX MATCH "^platform/kernel/" in_kernel "${rel}")
    string(REGEX MATCH "^platform/backends/([a-z0-9_]+)/" in_a_backend "${rel}")
    set(own_backend "${CMAKE_MATCH_1}")
    string(REGEX MATCH "^platform/winmm/sndfile/" in_decoder "${rel}")
    string(REGEX MATCH "^platform/(windows|compat)/" in_windows "${rel}")
    string(REGEX MATCH "^platform/(windows|shared)/" built_on_windows "${rel}")
    string(REGEX MATCH "^platform/backends/sdl/x11/" in_x11 "${rel}")
    string(REGEX MATCH "^platform/host/fonts/fontconfig/" in_fontconfig "${rel}")
    foreach(line IN LISTS lines)
      if(NOT in_platform AND line MATCHES "#[ \t]*include[ \t]*\"platform/")
        list(APPEND breaches "${rel}: includes past the platform's public headers: ${line}")
      endif()
      if(in_platform AND line MATCHES "${library_header_regex}")
        list(APPEND breaches "${rel}: includes a library header: ${line}")
      endif()
      if(NOT in_host AND line MATCHES "${posix_regex}")
        list(FIND VANTREL_LAYERING_POSIX_EXEMPT "${rel}" exempt)
        if(exempt EQUAL -1)
          list(APPEND breaches "${rel}: a host system header outside platform/host/: ${line}")
        endif()
      endif()
      if(NOT in_host AND line MATCHES "#[ \t]*include[ \t]*\"platform/host/[a-z0-9_]+/")
        list(APPEND breaches "${rel}: reaches a host system's own files past platform/host/*.h: ${line}")
      endif()
      if(NOT in_windows AND line MATCHES "${windows_regex}")
        list(APPEND breaches "${rel}: a Windows header outside platform/windows/ (and the Linux stand-ins in platform/compat/): ${line}")
      endif()
      if(built_on_windows AND line MATCHES "${emulation_regex}")
        list(APPEND breaches "${rel}: built on Windows but reaches the emulation: ${line}")
      endif()
      if(NOT in_decoder AND line MATCHES "#[ \t]*include[ \t]*<sndfile\\.h")
        list(APPEND breaches "${rel}: the track decoder's library outside platform/winmm/sndfile/: ${line}")
      endif()
      if(NOT in_fontconfig AND line MATCHES "#[ \t]*include[ \t]*<fontconfig/")
        list(APPEND breaches "${rel}: fontconfig outside platform/host/fonts/fontconfig/: ${line}")
      endif()
      if(NOT in_x11 AND line MATCHES "#[ \t]*include[ \t]*<(X11/|SDL_syswm\\.h)")
        list(APPEND breaches "${rel}: X11 outside platform/backends/sdl/x11/: ${line}")
      endif()
      if(NOT in_backends AND line MATCHES "VANTREL_HAVE_SDL2")
        list(APPEND breaches "${rel}: a backend switch outside platform/backends/: ${line}")
      endif()
      if(in_kernel AND line MATCHES "#[ \t]*include[ \t]*\"platform/user/")
        list(APPEND breaches "${rel}: the kernel reaches up into the window system: ${line}")
      endif()
      if(in_a_backend AND line MATCHES "#[ \t]*include[ \t]*\"platform/backends/([a-z0-9_]+)/")
        if(NOT CMAKE_MATCH_1 STREQUAL own_backend)
          list(APPEND breaches "${rel}: includes another backend's header: ${line}")
        endif()
      endif()
    endforeach()
  endforeach()
  set(${out_var} "${breaches}" PARENT_SCOPE)
endfunction()

function(vantrel_check_layering)
  vantrel_layering_breaches(${PROJECT_SOURCE_DIR} breaches)
  if(breaches)
    string(JOIN "\n  " text ${breaches})
    message(FATAL_ERROR "The library's layering is broken:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND VANTREL_SOURCE_DIR)
  vantrel_layering_breaches(${VANTREL_SOURCE_DIR} breaches)
  if(breaches)
    string(JOIN "\n  " text ${breaches})
    message(FATAL_ERROR "The library's layering is broken:\n  ${text}")
  endif()
  message(STATUS "Layering holds.")
endif()
