# libvantrel.so: every subsystem folder plus the platform layer.
#
# The sources are compiled once into an object library.  The shared library
# exports only what is marked VANTREL_API; the static archive made from the
# same objects lets the unit tests reach internal functions as well.

set(VANTREL_SUBSYSTEMS core display archive window surface rle anim audio net input)
set(VANTREL_SOURCE_GLOBS)
foreach(dir IN LISTS VANTREL_SUBSYSTEMS)
  list(APPEND VANTREL_SOURCE_GLOBS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
endforeach()
# Platform layer: what every backend shares, the headless backend (always
# there, for tests and servers) and the POSIX services.
list(APPEND VANTREL_SOURCE_GLOBS
  ${PROJECT_SOURCE_DIR}/platform/common/*.cpp
  ${PROJECT_SOURCE_DIR}/platform/headless/*.cpp
  ${PROJECT_SOURCE_DIR}/platform/posix/*.cpp)

# The real backend for windows, display, input, audio and joysticks.
option(VANTREL_WITH_SDL2 "Build the SDL2 backend (off: headless only)" ON)
if(VANTREL_WITH_SDL2)
  find_package(SDL2 REQUIRED)
  list(APPEND VANTREL_SOURCE_GLOBS ${PROJECT_SOURCE_DIR}/platform/sdl/*.cpp)
endif()

file(GLOB_RECURSE VANTREL_SOURCES CONFIGURE_DEPENDS ${VANTREL_SOURCE_GLOBS})

add_library(vantrel_objects OBJECT ${VANTREL_SOURCES})
set_target_properties(vantrel_objects PROPERTIES
  POSITION_INDEPENDENT_CODE ON
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_compile_features(vantrel_objects PUBLIC cxx_std_17)
target_include_directories(vantrel_objects
  PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>
  PRIVATE
    ${PROJECT_SOURCE_DIR})

# What the library's objects need to compile and link, given to each target
# made from them.
add_library(vantrel_deps INTERFACE)
find_package(Threads REQUIRED)
target_link_libraries(vantrel_deps INTERFACE Threads::Threads ${CMAKE_DL_LIBS})
# GDI text: TrueType rendering and font matching.
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
target_link_libraries(vantrel_deps INTERFACE Freetype::Freetype Fontconfig::Fontconfig)
if(SDL2_FOUND)
  target_compile_definitions(vantrel_deps INTERFACE VANTREL_HAVE_SDL2=1)
  if(TARGET SDL2::SDL2)
    target_link_libraries(vantrel_deps INTERFACE SDL2::SDL2)
  else()
    target_include_directories(vantrel_deps INTERFACE ${SDL2_INCLUDE_DIRS})
    target_link_libraries(vantrel_deps INTERFACE ${SDL2_LIBRARIES})
  endif()
endif()
target_link_libraries(vantrel_objects PRIVATE vantrel_build_options vantrel_deps)

add_library(vantrel SHARED $<TARGET_OBJECTS:vantrel_objects>)
add_library(Vantrel::vantrel ALIAS vantrel)
set_target_properties(vantrel PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  EXPORT_NAME vantrel)
target_compile_features(vantrel PUBLIC cxx_std_17)
target_include_directories(vantrel PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(vantrel PRIVATE $<BUILD_INTERFACE:vantrel_build_options> $<BUILD_INTERFACE:vantrel_deps>)
# Every symbol the library uses must resolve when it is linked, not when a
# game loads it (sanitizer runtimes are the exception: clang leaves them to
# the program).
if(NOT VANTREL_SANITIZE AND NOT VANTREL_BUILD_FUZZERS)
  target_link_options(vantrel PRIVATE -Wl,--no-undefined)
endif()

if(VANTREL_BUILD_TESTS OR VANTREL_BUILD_BENCHMARKS OR VANTREL_BUILD_FUZZERS)
  add_library(vantrel_static STATIC $<TARGET_OBJECTS:vantrel_objects>)
  target_compile_features(vantrel_static PUBLIC cxx_std_17)
  target_include_directories(vantrel_static PUBLIC
    ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/platform/include ${PROJECT_SOURCE_DIR})
  target_link_libraries(vantrel_static PUBLIC vantrel_build_options vantrel_deps)
endif()
