# What both Windows widths share; the width's own file sets
# CMAKE_SYSTEM_PROCESSOR, VANTREL_MINGW_PREFIX and VANTREL_WINE_NAMES first.
# The posix thread model gives std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VANTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs built here run under Wine when a test or a build step needs them.
# Debian keeps the 64-bit loader in /usr/lib/wine; its `wine` script picks
# the 32-bit one whenever wine32 is installed, which cannot start a 64-bit
# program in a prefix made without wine32.
find_program(VANTREL_WINE NAMES ${VANTREL_WINE_NAMES} PATHS /usr/lib/wine)
if(VANTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
endif()
# The C++ runtime, libgcc and winpthread are linked into each program and
# into vantrel.dll, so a game ships vantrel.dll beside its .exe and nothing
# else.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
