# Installs the library, its headers, a CMake package (find_package(Vantrel)
# gives Vantrel::vantrel) and a pkg-config file (pkg-config --libs vantrel).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VANTREL_INSTALLED_LIBRARIES vantrel)
if(EMSCRIPTEN)
  list(APPEND VANTREL_INSTALLED_LIBRARIES vantrel_plain)
endif()
install(TARGETS ${VANTREL_INSTALLED_LIBRARIES} EXPORT VantrelTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(WIN32)
  # The headers that bring in the system's own, in place of the emulation's
  # of the same names.  Those are left out rather than overwritten: an
  # install skips a file whose time matches the one already there, and a
  # checkout gives both the same second.
  set(replaced)
  file(GLOB_RECURSE system_headers RELATIVE ${PROJECT_SOURCE_DIR}/platform/windows/include
    ${PROJECT_SOURCE_DIR}/platform/windows/include/*)
  foreach(header IN LISTS system_headers)
    list(APPEND replaced PATTERN ${header} EXCLUDE)
  endforeach()
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${replaced})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/windows/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
else()
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()

set(VANTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vantrel)
install(EXPORT VantrelTargets NAMESPACE Vantrel:: DESTINATION ${VANTREL_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VantrelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VantrelConfig.cmake INSTALL_DESTINATION ${VANTREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VantrelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VantrelConfig.cmake ${PROJECT_BINARY_DIR}/VantrelConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelBytes.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelEmbed.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelEmbedSource.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelResources.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelResourceSource.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VantrelWebPage.cmake
  DESTINATION ${VANTREL_CMAKE_DIR})
if(EMSCRIPTEN)
  # What pages link: the page, its script, SDL's function list, the fonts.
  list(TRANSFORM VANTREL_WEB_FILES PREPEND ${PROJECT_SOURCE_DIR}/cmake/web/ OUTPUT_VARIABLE web_files)
  install(FILES ${web_files} ${VANTREL_WEB_ASYNCIFY_REMOVE_FILE} DESTINATION ${VANTREL_CMAKE_DIR}/web)
  list(TRANSFORM VANTREL_WEB_FONTS PREPEND ${VANTREL_WEB_FONT_DIR}/ OUTPUT_VARIABLE font_files)
  list(TRANSFORM font_files APPEND .ttf)
  install(FILES ${font_files} DESTINATION ${VANTREL_FONT_INSTALL_DIR})
  # libvantrel.a leaves SDL, FreeType and the track decoder's libraries to
  # the page's link, as the build does; the package brings their archives
  # (lib/vantrel/) and the installed target names them, so that a game that
  # finds the package links as one in the library's own build.  SDL's
  # SDL2main is left out: a page's main is the game's own.
  set(web_archives)
  foreach(prefix IN LISTS VANTREL_WEB_LINKED_PREFIXES)
    file(GLOB archives ${prefix}/lib/*.a)
    list(FILTER archives EXCLUDE REGEX "/libSDL2main\\.a$")
    list(APPEND web_archives ${archives})
  endforeach()
  install(FILES ${web_archives} DESTINATION ${CMAKE_INSTALL_LIBDIR}/vantrel)
  foreach(archive IN LISTS web_archives)
    get_filename_component(name ${archive} NAME)
    target_link_libraries(vantrel INTERFACE "$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CMAKE_INSTALL_LIBDIR}/vantrel/${name}>")
    target_link_libraries(vantrel_plain INTERFACE "$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CMAKE_INSTALL_LIBDIR}/vantrel/${name}>")
  endforeach()
endif()

if(WIN32)
  list(TRANSFORM VANTREL_WINDOWS_SYSTEM_LIBS PREPEND -l OUTPUT_VARIABLE VANTREL_WINDOWS_LINK)
  list(JOIN VANTREL_WINDOWS_LINK " " VANTREL_WINDOWS_LINK)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/vantrel-windows.pc.in ${PROJECT_BINARY_DIR}/vantrel.pc @ONLY)
else()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/vantrel.pc.in ${PROJECT_BINARY_DIR}/vantrel.pc @ONLY)
endif()
install(FILES ${PROJECT_BINARY_DIR}/vantrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
