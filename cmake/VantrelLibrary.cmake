# libvantrel.so: the platform layer, and every subsystem folder above it.
#
# Two object libraries make the one shared library:
#  - vantrel_platform: platform/, the Windows-shaped layer and its backends.
#    Its public include directories are only its public headers:
#    platform/include (<vantrel/win32/...>, installed for games) and
#    platform/seam (<vantrel/seam/...>, what the library asks of the platform
#    beyond the Windows calls; not installed).
#  - vantrel_objects: core/ display/ archive/ window/ surface/ rle/ anim/
#    audio/ net/ input/, which reach the platform only through those headers.
#    VantrelLayering checks it at configure time and as a test.
# The shared library exports only what is marked VANTREL_API; the static
# archive made from the same objects lets the unit tests reach internal
# functions as well.

set(VANTREL_SUBSYSTEMS core display archive window surface rle anim audio net input)

# ---- The platform layer -----------------------------------------------------
# shared/ is compiled on every system: what the library asks of the platform
# that does not depend on it (colour packing, the processor's vector sets,
# RIFF wave parsing).
#
# On Windows the operating system is the platform: the library includes the
# system's headers (platform/windows/include stands in front of
# platform/include and brings them in) and calls the system's functions.
# Only the seams the library asks of platform/seam/ are built, in
# platform/windows/, on the system's own calls; nothing of the emulation is.
#
# Elsewhere: one folder per emulated interface, the host system's services,
# and the backends; backends/backend_table.cpp lists the backends that are
# built.  The option alone decides whether the SDL backend is built: a parent
# project that found SDL2 for itself and turned the option off gets no SDL
# here.
set(VANTREL_BACKEND_DEFINITIONS)
if(WIN32)
  set(VANTREL_PLATFORM_FOLDERS shared windows)
  set(VANTREL_WITH_SDL2 OFF)
  set(VANTREL_WITH_SNDFILE OFF)
  set(VANTREL_WITH_X11 OFF)
else()
  set(VANTREL_PLATFORM_FOLDERS shared user gdi ddraw dsound dinput com winmm winsock kernel gameport host/posix
    backends backends/headless)
  # The web build's SDL2 is built from Debian's source below (emscripten's
  # own port is downloaded at build time): SDL is the browser's backend too.
  option(VANTREL_WITH_SDL2 "Build the SDL2 backend (off: headless only)" ON)
  if(VANTREL_WITH_SDL2)
    if(EMSCRIPTEN)
      # SDL2 from Debian's source, built for the browser (canvas, input,
      # game pads and Web Audio); about seven minutes the first time on two
      # cores, almost all of it SDL's own configure checks.
      include(web/VantrelWebLibraries)
      vantrel_web_library(libsdl2 CMAKE_ARGS -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF)
    endif()
    find_package(SDL2 REQUIRED)
    list(APPEND VANTREL_PLATFORM_FOLDERS backends/sdl)
    list(APPEND VANTREL_BACKEND_DEFINITIONS VANTREL_HAVE_SDL2=1)
    # Under X, SDL talks to the server through Xlib, whose default answer to an
    # error is to end the process: a window another client destroyed would end
    # the game.  With libX11 the SDL backend puts its own handler in front
    # (backends/sdl/x11/) and turns that loss into WM_CLOSE; OFF builds take
    # backends/sdl/without_x11/ and keep Xlib's answer.
    find_package(X11 QUIET)
    option(VANTREL_WITH_X11 "SDL backend: a window destroyed by another X client closes the game (links libX11)"
      ${X11_FOUND})
    if(VANTREL_WITH_X11)
      if(NOT X11_FOUND)
        message(FATAL_ERROR "VANTREL_WITH_X11 is on but libX11 was not found (libx11-dev)")
      endif()
      list(APPEND VANTREL_PLATFORM_FOLDERS backends/sdl/x11)
    else()
      list(APPEND VANTREL_PLATFORM_FOLDERS backends/sdl/without_x11)
    endif()
  endif()
  # Compressed CD tracks (FLAC, Ogg Vorbis, MP3) are decoded with libsndfile,
  # found through pkg-config; the option is on by default when it is there.
  # The option picks one of two folders, so no source tests a switch: OFF builds
  # keep WAV tracks only.
  # The web build decodes with the same libsndfile, built with its Xiph
  # codecs from Debian's sources like SDL (pkg-config would answer with the
  # host's, which a page cannot link): see web/VantrelWebSndfile.cmake.
  if(EMSCRIPTEN)
    option(VANTREL_WITH_SNDFILE "Decode FLAC and Ogg CD tracks with libsndfile (off: WAV tracks only)" ON)
    if(VANTREL_WITH_SNDFILE)
      include(web/VantrelWebSndfile)
      set(VANTREL_SNDFILE_TARGET SndFile::sndfile)
    endif()
  else()
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
      pkg_check_modules(SNDFILE QUIET IMPORTED_TARGET sndfile)
    endif()
    if(SNDFILE_FOUND)
      set(VANTREL_SNDFILE_DEFAULT ON)
    else()
      set(VANTREL_SNDFILE_DEFAULT OFF)
    endif()
    option(VANTREL_WITH_SNDFILE "Decode FLAC, Ogg and MP3 CD tracks with libsndfile (off: WAV tracks only)"
      ${VANTREL_SNDFILE_DEFAULT})
    if(VANTREL_WITH_SNDFILE AND NOT SNDFILE_FOUND)
      message(FATAL_ERROR "VANTREL_WITH_SNDFILE is on but pkg-config finds no sndfile (libsndfile1-dev)")
    endif()
    set(VANTREL_SNDFILE_TARGET PkgConfig::SNDFILE)
  endif()
  if(VANTREL_WITH_SNDFILE)
    list(APPEND VANTREL_PLATFORM_FOLDERS winmm/sndfile)
  else()
    list(APPEND VANTREL_PLATFORM_FOLDERS winmm/wav_only)
  endif()
  # GDI text opens the font files the host's lookup names: fontconfig's
  # match (host/fonts/fontconfig/), or DejaVu's files in one folder
  # (host/fonts/fixed_folder/), which is what the web build has: its fonts
  # come with the page's data.
  if(EMSCRIPTEN)
    set(VANTREL_FONTCONFIG_DEFAULT OFF)
    set(VANTREL_FONT_FOLDER_DEFAULT /vantrel/fonts)
  else()
    set(VANTREL_FONTCONFIG_DEFAULT ON)
    set(VANTREL_FONT_FOLDER_DEFAULT /usr/share/fonts/truetype/dejavu)
  endif()
  option(VANTREL_WITH_FONTCONFIG "Match fonts with fontconfig (off: DejaVu's files in VANTREL_FONT_FOLDER)"
    ${VANTREL_FONTCONFIG_DEFAULT})
  list(APPEND VANTREL_PLATFORM_FOLDERS host/fonts)
  if(VANTREL_WITH_FONTCONFIG)
    list(APPEND VANTREL_PLATFORM_FOLDERS host/fonts/fontconfig)
  else()
    set(VANTREL_FONT_FOLDER ${VANTREL_FONT_FOLDER_DEFAULT} CACHE STRING
      "The folder of DejaVu font files text is drawn with, when fontconfig is off")
    list(APPEND VANTREL_PLATFORM_FOLDERS host/fonts/fixed_folder)
  endif()
endif()

set(VANTREL_PLATFORM_GLOBS)
foreach(dir IN LISTS VANTREL_PLATFORM_FOLDERS)
  list(APPEND VANTREL_PLATFORM_GLOBS ${PROJECT_SOURCE_DIR}/platform/${dir}/*.cpp)
endforeach()
file(GLOB VANTREL_PLATFORM_SOURCES CONFIGURE_DEPENDS ${VANTREL_PLATFORM_GLOBS})
# The web build is POSIX as emscripten provides it, in one process on the
# browser's one thread: host/web/ holds the services that differ there, each
# replacing the POSIX file of the same name.
if(EMSCRIPTEN)
  file(GLOB VANTREL_WEB_HOST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/host/web/*.cpp)
  foreach(file IN LISTS VANTREL_WEB_HOST_SOURCES)
    get_filename_component(name ${file} NAME)
    list(REMOVE_ITEM VANTREL_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/platform/host/posix/${name})
  endforeach()
  list(APPEND VANTREL_PLATFORM_SOURCES ${VANTREL_WEB_HOST_SOURCES})
endif()

# What the library's objects need to compile and link, given to each target
# made from them.
add_library(vantrel_deps INTERFACE)
find_package(Threads REQUIRED)
target_link_libraries(vantrel_deps INTERFACE Threads::Threads ${CMAKE_DL_LIBS})
if(WIN32)
  # The system's interfaces: DirectDraw, DirectSound, the multimedia system
  # (timers, MCI, the game port), Winsock 1.1, GDI and the window system.
  target_link_libraries(vantrel_deps INTERFACE ddraw dsound dinput winmm wsock32 gdi32 user32 ole32 dxguid)
  # Windows.h's min and max macros would break the C++ library's names.
  target_compile_definitions(vantrel_deps INTERFACE NOMINMAX)
else()
  # GDI text: TrueType rendering.
  if(EMSCRIPTEN)
    # Only what reading TrueType and OpenType fonts needs.
    include(web/VantrelWebLibraries)
    vantrel_web_library(freetype CMAKE_ARGS
      -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON
      -DFT_DISABLE_BROTLI=ON)
  endif()
  find_package(Freetype REQUIRED)
  target_link_libraries(vantrel_deps INTERFACE Freetype::Freetype)
  if(EMSCRIPTEN)
    # The vector kernels' WebAssembly SIMD, except in the plain twins of the
    # library's objects (VANTREL_WEB_PLAIN), which browsers without it run.
    target_compile_options(vantrel_deps INTERFACE $<$<NOT:$<BOOL:$<TARGET_PROPERTY:VANTREL_WEB_PLAIN>>>:-msimd128>)
  endif()
endif()
if(EMSCRIPTEN)
  # The cross-built libraries the library links (SDL, FreeType, the track
  # decoder's): the package installs their archives beside libvantrel.a.
  get_property(VANTREL_WEB_LINKED_PREFIXES GLOBAL PROPERTY VANTREL_WEB_LIBRARY_PREFIXES)
endif()
# The backends' own libraries, the CD track decoder's and the font lookup's:
# only the platform layer compiles against them, so no library folder can
# include their headers.
add_library(vantrel_backend_deps INTERFACE)
if(VANTREL_WITH_SNDFILE)
  target_link_libraries(vantrel_backend_deps INTERFACE ${VANTREL_SNDFILE_TARGET})
endif()
if(VANTREL_WITH_FONTCONFIG)
  find_package(Fontconfig REQUIRED)
  target_link_libraries(vantrel_backend_deps INTERFACE Fontconfig::Fontconfig)
endif()
if(VANTREL_WITH_SDL2)
  if(TARGET SDL2::SDL2)
    target_link_libraries(vantrel_backend_deps INTERFACE SDL2::SDL2)
  else()
    target_include_directories(vantrel_backend_deps INTERFACE ${SDL2_INCLUDE_DIRS})
    target_link_libraries(vantrel_backend_deps INTERFACE ${SDL2_LIBRARIES})
  endif()
  if(VANTREL_WITH_X11)
    target_link_libraries(vantrel_backend_deps INTERFACE X11::X11)
  endif()
endif()

# In the web build, <target>_plain: the same objects compiled without
# WebAssembly SIMD, for the plain library (vantrel_plain) that pages load in
# a browser without it.  Called once the target has all its settings.
function(vantrel_web_plain_twin target)
  if(NOT EMSCRIPTEN)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  add_library(${target}_plain OBJECT ${sources})
  foreach(property POSITION_INDEPENDENT_CODE CXX_VISIBILITY_PRESET VISIBILITY_INLINES_HIDDEN INCLUDE_DIRECTORIES
      INTERFACE_INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_FEATURES LINK_LIBRARIES)
    get_target_property(value ${target} ${property})
    if(value)
      set_property(TARGET ${target}_plain PROPERTY ${property} "${value}")
    endif()
  endforeach()
  set_target_properties(${target}_plain PROPERTIES VANTREL_WEB_PLAIN ON)
endfunction()

function(vantrel_object_library target)
  add_library(${target} OBJECT ${ARGN})
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_compile_features(${target} PUBLIC cxx_std_17)
  target_link_libraries(${target} PRIVATE vantrel_build_options vantrel_deps)
endfunction()

# The library's own headers (include/) are not on the platform's path: the
# platform stands below the library and links without it.
# On Windows the public Windows-name headers are the system's, through the
# headers of platform/windows/include, which stand in front.
set(VANTREL_WINDOWS_INCLUDE)
if(WIN32)
  set(VANTREL_WINDOWS_INCLUDE ${PROJECT_SOURCE_DIR}/platform/windows/include)
endif()

vantrel_object_library(vantrel_platform ${VANTREL_PLATFORM_SOURCES})
target_include_directories(vantrel_platform
  PUBLIC
    $<BUILD_INTERFACE:${VANTREL_WINDOWS_INCLUDE}>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/seam>
  PRIVATE
    ${PROJECT_SOURCE_DIR})
target_link_libraries(vantrel_platform PRIVATE vantrel_backend_deps)
if(NOT WIN32 AND NOT VANTREL_WITH_FONTCONFIG)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/platform/host/fonts/fixed_folder/font_lookup.cpp
    PROPERTIES COMPILE_DEFINITIONS "VANTREL_FONT_FOLDER=\"${VANTREL_FONT_FOLDER}\"")
endif()
# The backend table is the one place that knows which backends were built:
# the definitions go to its source alone.
set_source_files_properties(${PROJECT_SOURCE_DIR}/platform/backends/backend_table.cpp
  PROPERTIES COMPILE_DEFINITIONS "${VANTREL_BACKEND_DEFINITIONS}")
vantrel_web_plain_twin(vantrel_platform)

# ---- The library ------------------------------------------------------------
set(VANTREL_SOURCE_GLOBS)
foreach(dir IN LISTS VANTREL_SUBSYSTEMS)
  list(APPEND VANTREL_SOURCE_GLOBS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
endforeach()
file(GLOB_RECURSE VANTREL_SOURCES CONFIGURE_DEPENDS ${VANTREL_SOURCE_GLOBS})

vantrel_object_library(vantrel_objects ${VANTREL_SOURCES})
target_include_directories(vantrel_objects
  PUBLIC
    $<BUILD_INTERFACE:${VANTREL_WINDOWS_INCLUDE}>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>
  PRIVATE
    ${PROJECT_SOURCE_DIR}/platform/seam
    ${PROJECT_SOURCE_DIR})
vantrel_web_plain_twin(vantrel_objects)

include(VantrelLayering)
vantrel_check_layering()

# WebAssembly has no shared libraries: the web build's library is an archive
# that each page links whole.
if(EMSCRIPTEN)
  set(VANTREL_LIBRARY_TYPE STATIC)
else()
  set(VANTREL_LIBRARY_TYPE SHARED)
endif()
add_library(vantrel ${VANTREL_LIBRARY_TYPE} $<TARGET_OBJECTS:vantrel_platform> $<TARGET_OBJECTS:vantrel_objects>)
add_library(Vantrel::vantrel ALIAS vantrel)
set_target_properties(vantrel PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  EXPORT_NAME vantrel)
target_compile_features(vantrel PUBLIC cxx_std_17)
target_include_directories(vantrel PUBLIC
  $<BUILD_INTERFACE:${VANTREL_WINDOWS_INCLUDE}>
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(vantrel PRIVATE $<BUILD_INTERFACE:vantrel_build_options> $<BUILD_INTERFACE:vantrel_deps>
  $<BUILD_INTERFACE:vantrel_backend_deps>)
# Every symbol the library uses must resolve when it is linked, not when a
# game loads it (sanitizer runtimes are the exception: clang leaves them to
# the program).
if(NOT VANTREL_SANITIZE AND NOT VANTREL_BUILD_FUZZERS AND NOT WIN32 AND NOT EMSCRIPTEN)
  target_link_options(vantrel PRIVATE -Wl,--no-undefined)
endif()
if(EMSCRIPTEN)
  include(web/VantrelWebOptions)
  vantrel_web_options(vantrel)
  # The library without WebAssembly SIMD: the page a game makes with
  # vantrel_add_web_page() has a twin linked with it, which the page loads
  # in a browser without SIMD (web/VantrelWebPage.cmake).
  add_library(vantrel_plain STATIC $<TARGET_OBJECTS:vantrel_platform_plain> $<TARGET_OBJECTS:vantrel_objects_plain>)
  add_library(Vantrel::vantrel_plain ALIAS vantrel_plain)
  set_target_properties(vantrel_plain PROPERTIES EXPORT_NAME vantrel_plain OUTPUT_NAME vantrel-plain)
  target_compile_features(vantrel_plain PUBLIC cxx_std_17)
  get_target_property(value vantrel INTERFACE_INCLUDE_DIRECTORIES)
  set_target_properties(vantrel_plain PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${value}")
  target_link_libraries(vantrel_plain PRIVATE $<BUILD_INTERFACE:vantrel_build_options>
    $<BUILD_INTERFACE:vantrel_deps> $<BUILD_INTERFACE:vantrel_backend_deps>)
  vantrel_web_options(vantrel_plain PLAIN)
endif()
if(WIN32)
  # vantrel.dll exports what is marked VANTREL_API (dllexport while it is
  # built); its import library is libvantrel.dll.a.  The static archive's
  # users see the marks as nothing.
  target_compile_definitions(vantrel_platform PRIVATE VANTREL_BUILDING_LIBRARY)
  target_compile_definitions(vantrel_objects PRIVATE VANTREL_BUILDING_LIBRARY)
  set_target_properties(vantrel PROPERTIES PREFIX "" RUNTIME_OUTPUT_NAME vantrel)
  # <vantrel.h> declares the system's DirectDraw, DirectSound, multimedia,
  # sockets and window functions, which a game calls too: elsewhere the
  # library holds them, here their import libraries come with it, so that a
  # game's build file is the same on both systems.
  set(VANTREL_WINDOWS_SYSTEM_LIBS ddraw dsound dinput winmm wsock32 gdi32 user32 ole32 dxguid)
  target_link_libraries(vantrel INTERFACE ${VANTREL_WINDOWS_SYSTEM_LIBS})
endif()

if(VANTREL_BUILD_TESTS OR VANTREL_BUILD_BENCHMARKS OR VANTREL_BUILD_FUZZERS)
  # Tests and benchmarks may reach inside every folder, the platform's
  # included.
  add_library(vantrel_static STATIC $<TARGET_OBJECTS:vantrel_platform> $<TARGET_OBJECTS:vantrel_objects>)
  target_compile_features(vantrel_static PUBLIC cxx_std_17)
  if(WIN32)
    target_compile_definitions(vantrel_static INTERFACE VANTREL_STATIC)
  endif()
  target_include_directories(vantrel_static PUBLIC
    ${VANTREL_WINDOWS_INCLUDE} ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/platform/include
    ${PROJECT_SOURCE_DIR}/platform/seam ${PROJECT_SOURCE_DIR})
  # The SDL backend's own tests include its headers.
  target_link_libraries(vantrel_static PUBLIC vantrel_build_options vantrel_deps vantrel_backend_deps)
endif()
