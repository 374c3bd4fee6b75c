# vantrel_runs_at_build_time(<target>...): the programs that the build itself
# runs (the tools that make the examples' and the demo's data).  In a cross
# build for Windows, add_custom_command runs them through the emulator the
# toolchain file found (Wine); this gives those runs a Wine prefix of their
# own in the build tree, made on first use, and keeps Wine quiet.  Wine's
# mono and gecko installers are turned off: a prefix made for console tools
# needs neither, and they would ask with a dialog.
#
# Running the Windows tools, rather than tools from a separate Linux build,
# keeps a cross build self-contained, and builds the data with exactly the
# tools that ship in the package.
function(vantrel_runs_at_build_time)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  set(launcher ${CMAKE_COMMAND} -E env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-prefix WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= ${CMAKE_CROSSCOMPILING_EMULATOR})
  foreach(target IN LISTS ARGN)
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  endforeach()
endfunction()
