# The programs the build itself runs: the tools that make the examples' and
# the demo's data.
#
# In a cross build for Windows, add_custom_command runs them through the
# emulator the toolchain file found (Wine); vantrel_runs_at_build_time()
# gives those runs a Wine prefix of their own in the build tree, made on
# first use, and keeps Wine quiet.  Wine's mono and gecko installers are
# turned off: a prefix made for console tools needs neither, and they would
# ask with a dialog.  Running the Windows tools, rather than tools from a
# separate build, keeps a cross build self-contained, and makes the data
# with exactly the tools that ship in the package.
#
# Where the build's own programs cannot run (a 32-bit Windows build where
# Wine has no 32-bit support), VANTREL_HOST_TOOLS names another build whose
# tools can: a Linux build tree, or the 64-bit Windows build's bin/ folder
# (run under Wine).  The data are the same whichever tools make them.
set(VANTREL_HOST_TOOLS "" CACHE PATH
  "A build (or folder) whose vtlpack, vtlsprite and showcase-assetgen make the data, instead of this build's")

# The command that starts a Windows program under Wine in the build's prefix.
function(vantrel_wine_launcher var)
  set(${var} ${CMAKE_COMMAND} -E env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-prefix WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= ${CMAKE_CROSSCOMPILING_EMULATOR} PARENT_SCOPE)
endfunction()

# vantrel_runs_at_build_time(<target>...): these programs of the build run
# during the build.
function(vantrel_runs_at_build_time)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  vantrel_wine_launcher(launcher)
  foreach(target IN LISTS ARGN)
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  endforeach()
endfunction()

# vantrel_build_time_tool(<var> <program>): in <var>, the command that runs
# <program> at build time, and in <var>_DEPENDS what a command running it
# depends on: the build's own target, or VANTREL_HOST_TOOLS's program.
function(vantrel_build_time_tool var program)
  if(NOT VANTREL_HOST_TOOLS)
    set(${var} ${program} PARENT_SCOPE)
    set(${var}_DEPENDS ${program} PARENT_SCOPE)
    return()
  endif()
  find_program(VANTREL_HOST_${program} NAMES ${program} ${program}.exe
    PATHS ${VANTREL_HOST_TOOLS} ${VANTREL_HOST_TOOLS}/bin ${VANTREL_HOST_TOOLS}/tools/${program}
      ${VANTREL_HOST_TOOLS}/examples/showcase
    NO_DEFAULT_PATH)
  if(NOT VANTREL_HOST_${program})
    message(FATAL_ERROR "VANTREL_HOST_TOOLS (${VANTREL_HOST_TOOLS}) has no ${program}")
  endif()
  set(command ${VANTREL_HOST_${program}})
  if(command MATCHES "\\.exe$" AND NOT CMAKE_HOST_WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
    vantrel_wine_launcher(launcher)
    set(command ${launcher} ${command})
  endif()
  set(${var} ${command} PARENT_SCOPE)
  set(${var}_DEPENDS ${VANTREL_HOST_${program}} PARENT_SCOPE)
endfunction()
