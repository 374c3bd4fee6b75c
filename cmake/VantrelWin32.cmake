# Vantrel::win32 (pkg-config vantrel-win32): opt-in support for games kept in
# the form they have for Windows.
#  - the Windows header names (<windows.h>, <ddraw.h>, ...; platform/compat/
#    include, installed as include/vantrel-win32), each bringing in the
#    platform layer's declarations;
#  - libvantrel-winmain.a, whose main() calls the game's WinMain.
# A game that includes only <vantrel.h> and links Vantrel::vantrel sees none
# of it.
#
# On Windows the system gives both: Vantrel::win32 is Vantrel::vantrel and
# the system's libraries for those headers, so that a game's build file is
# the same on both systems.
include(GNUInstallDirs)

if(WIN32)
  # The calls a game makes itself come from the system's import libraries,
  # as the emulation's come from libvantrel elsewhere.
  add_library(vantrel_win32 INTERFACE)
  set_target_properties(vantrel_win32 PROPERTIES EXPORT_NAME win32)
  target_link_libraries(vantrel_win32 INTERFACE vantrel ddraw dsound dinput winmm wsock32 gdi32 user32 ole32 dxguid)
  add_library(Vantrel::win32 ALIAS vantrel_win32)
  if(VANTREL_INSTALL)
    install(TARGETS vantrel_win32 EXPORT VantrelTargets)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/vantrel-win32-windows.pc.in ${PROJECT_BINARY_DIR}/vantrel-win32.pc
      @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/vantrel-win32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  endif()
  return()
endif()

add_library(vantrel_winmain STATIC ${PROJECT_SOURCE_DIR}/platform/compat/win_main.cpp)
set_target_properties(vantrel_winmain PROPERTIES
  OUTPUT_NAME vantrel-winmain
  EXPORT_NAME winmain
  POSITION_INDEPENDENT_CODE ON)
target_compile_features(vantrel_winmain PUBLIC cxx_std_17)
target_include_directories(vantrel_winmain PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/compat/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/vantrel-win32>)
target_link_libraries(vantrel_winmain PUBLIC vantrel PRIVATE $<BUILD_INTERFACE:vantrel_build_options>)
add_library(Vantrel::winmain ALIAS vantrel_winmain)

add_library(vantrel_win32 INTERFACE)
set_target_properties(vantrel_win32 PROPERTIES EXPORT_NAME win32)
target_link_libraries(vantrel_win32 INTERFACE vantrel_winmain vantrel)
add_library(Vantrel::win32 ALIAS vantrel_win32)

# The web build's twins on the library without SIMD, for the plain page
# (web/VantrelWebPage.cmake).
set(VANTREL_WIN32_TARGETS vantrel_winmain vantrel_win32)
if(EMSCRIPTEN)
  add_library(vantrel_winmain_plain STATIC ${PROJECT_SOURCE_DIR}/platform/compat/win_main.cpp)
  set_target_properties(vantrel_winmain_plain PROPERTIES OUTPUT_NAME vantrel-winmain-plain EXPORT_NAME winmain_plain)
  target_compile_features(vantrel_winmain_plain PUBLIC cxx_std_17)
  foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
    get_target_property(value vantrel_winmain ${property})
    set_target_properties(vantrel_winmain_plain PROPERTIES ${property} "${value}")
  endforeach()
  target_link_libraries(vantrel_winmain_plain PUBLIC vantrel_plain PRIVATE $<BUILD_INTERFACE:vantrel_build_options>)
  add_library(Vantrel::winmain_plain ALIAS vantrel_winmain_plain)
  add_library(vantrel_win32_plain INTERFACE)
  set_target_properties(vantrel_win32_plain PROPERTIES EXPORT_NAME win32_plain)
  target_link_libraries(vantrel_win32_plain INTERFACE vantrel_winmain_plain vantrel_plain)
  add_library(Vantrel::win32_plain ALIAS vantrel_win32_plain)
  list(APPEND VANTREL_WIN32_TARGETS vantrel_winmain_plain vantrel_win32_plain)
endif()

if(VANTREL_INSTALL)
  install(TARGETS ${VANTREL_WIN32_TARGETS} EXPORT VantrelTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/compat/include/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantrel-win32)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/vantrel-win32.pc.in ${PROJECT_BINARY_DIR}/vantrel-win32.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/vantrel-win32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
