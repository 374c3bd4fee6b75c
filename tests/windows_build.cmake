# On Windows the unit tests are built against vantrel.dll, as a game uses
# it: per folder, one program made of the test files that reach the library
# only through its public headers (public_only.cmake states the rule), run
# under Wine by ctest through the toolchain's emulator.  The other files of
# each folder test the Linux emulation and its backends from inside and stay
# in the Linux build.  The end-to-end folders drive SDL windows under Xvfb
# and stay there too; folders named windows* hold tests written for Windows
# alone and define their targets themselves.
set(VANTREL_TESTS_DIR ${CMAKE_CURRENT_SOURCE_DIR})
include(${CMAKE_CURRENT_SOURCE_DIR}/public_only.cmake)

# The helpers of support/ that follow the rule, linked to the DLL through
# Vantrel::win32, which brings the system's libraries for the Windows calls
# the tests make themselves, as a game's build gets them.
set(support_sources)
foreach(source IN LISTS VANTREL_TEST_SUPPORT)
  vantrel_public_only(${source} ok)
  if(ok)
    list(APPEND support_sources ${source})
  endif()
endforeach()
add_library(vantrel_test_support STATIC ${support_sources})
target_include_directories(vantrel_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vantrel_test_support PUBLIC Vantrel::win32 GTest::gtest)

# vantrel_windows_test(target sources...): a test program beside a copy of
# vantrel.dll (Windows finds a program's DLLs in its own folder), registered
# as one ctest test: one Wine process per program keeps the stage short, and
# GoogleTest's output names the failing cases.  Each program runs in seconds
# under Wine; the time-out ends one that hangs (a wait Wine never satisfies,
# a dialog box nobody closes on the virtual display) well before ctest's
# default of 1500 s.
function(vantrel_windows_test target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE vantrel_test_support GTest::gtest_main)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vantrel> $<TARGET_FILE_DIR:${target}>)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES TIMEOUT 120)
endfunction()

# Each folder's own test files; tests/win32 (with its own build file on
# Linux) tests the Windows calls a game makes beside the library, which on
# Windows are the system's: the same tests check the emulation against them.
set(linux_only)
foreach(dir IN LISTS VANTREL_TEST_DIRS)
  set(path ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  if(NOT IS_DIRECTORY ${path} OR dir STREQUAL "support" OR dir STREQUAL "pictures")
    continue()
  endif()
  if(dir MATCHES "^windows" AND EXISTS ${path}/CMakeLists.txt)
    add_subdirectory(${dir})
    continue()
  endif()
  if(EXISTS ${path}/CMakeLists.txt AND NOT dir STREQUAL "win32")
    continue()
  endif()
  if(dir STREQUAL "win32")
    file(GLOB sources CONFIGURE_DEPENDS ${path}/*_test.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${path}/*.cpp)
  endif()
  set(public)
  foreach(source IN LISTS sources)
    vantrel_public_only(${source} ok)
    if(ok)
      list(APPEND public ${source})
    else()
      file(RELATIVE_PATH name ${CMAKE_CURRENT_SOURCE_DIR} ${source})
      list(APPEND linux_only ${name})
    endif()
  endforeach()
  if(public)
    vantrel_windows_test(test_${dir} ${public})
  endif()
endforeach()
# The resource script the resource tests read, compiled as a game's.
if(TARGET test_win32)
  set(resources ${CMAKE_CURRENT_SOURCE_DIR}/win32/resources)
  vantrel_add_resources(test_win32 ${resources}/resources.rc DEPENDS ${resources}/resource_ids.h
    ${resources}/colours.bmp ${resources}/palette.bmp ${resources}/game.ico ${resources}/beep.wav
    ${resources}/level.dat)
endif()
string(REPLACE ";" " " linux_only "${linux_only}")
message(STATUS "Unit tests left to the Linux build (internal headers or POSIX calls): ${linux_only}")
