# vantrel_add_web_page(<target> [DATA <file or folder>...] [SHELL <page.html>]
#                      [SIMD_ONLY])
#
# In the web build, makes <target> (an executable linking Vantrel::vantrel or
# Vantrel::win32) a page: <target>.html beside its .js, .wasm and .data.
# Each DATA file or folder is placed in the page's working folder under its
# own name, where the game opens it as it would beside its program ("data"
# for data/level1.dat).  SHELL replaces the library's page (shell.html) with
# the game's own; it must hold emscripten's {{{ SCRIPT }}} and a canvas
# with the id "canvas".  Elsewhere the function does nothing, so that a
# game's build file is the same for every system.
#
# The program is built twice: <target>.js/.wasm with WebAssembly SIMD (the
# library's vector kernels), and <target>-plain.js/.wasm/.data without it,
# for browsers that have none (before Chrome 91, Firefox 89, Safari 16.4).
# The library's page loads the first where the browser validates a SIMD
# instruction and the second elsewhere; a page of the game's own (SHELL)
# loads the first unless it does the same (see the library's shell.html).
# The twin is made when the folder's CMakeLists.txt ends, from the target's
# sources, compile settings, link options and libraries then, with
# Vantrel::vantrel, Vantrel::win32 and Vantrel::winmain replaced by their
# plain twins.  A library of the game's own that links Vantrel::vantrel is
# linked as it is, SIMD and all: make it an object library, or give
# SIMD_ONLY, which builds no twin (a browser without SIMD is then told it
# cannot run the game).
function(vantrel_add_web_page target)
  if(NOT EMSCRIPTEN)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 page "SIMD_ONLY" "SHELL" "DATA")
  if(page_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vantrel_add_web_page: unknown arguments ${page_UNPARSED_ARGUMENTS}")
  endif()
  set_target_properties(${target} PROPERTIES SUFFIX .html)
  if(page_SHELL)
    get_filename_component(shell ${page_SHELL} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    set_target_properties(${target} PROPERTIES VANTREL_WEB_SHELL ${shell})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${shell})
  endif()
  foreach(item IN LISTS page_DATA)
    get_filename_component(path ${item} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(name ${path} NAME)
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${path}@/${name}")
    if(NOT IS_DIRECTORY ${path})
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${path})
    endif()
  endforeach()
  if(NOT page_SIMD_ONLY)
    # Deferred with the target's name as it is now.
    cmake_language(EVAL CODE "cmake_language(DEFER CALL _vantrel_web_plain_page [[${target}]])")
  endif()
endfunction()

# The plain twin of a page (see above): <target>-plain.js beside the page.
function(_vantrel_web_plain_page target)
  set(twin ${target}-plain)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(absolute)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "^\\$<")
      get_filename_component(source ${source} ABSOLUTE BASE_DIR ${source_dir})
    endif()
    list(APPEND absolute ${source})
  endforeach()
  add_executable(${twin} ${absolute})
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS COMPILE_FEATURES LINK_OPTIONS
      LINK_DEPENDS CXX_STANDARD CXX_STANDARD_REQUIRED CXX_EXTENSIONS VANTREL_WEB_SHELL)
    get_target_property(value ${target} ${property})
    if(NOT value STREQUAL "value-NOTFOUND")
      set_property(TARGET ${twin} PROPERTY ${property} "${value}")
    endif()
  endforeach()
  get_target_property(libraries ${target} LINK_LIBRARIES)
  if(libraries)
    list(TRANSFORM libraries REPLACE "^(Vantrel::vantrel|Vantrel::win32|Vantrel::winmain|vantrel|vantrel_win32|vantrel_winmain)$" "\\1_plain")
    target_link_libraries(${twin} PRIVATE ${libraries})
  endif()
  # Built after the page, whose generated sources (an embedded archive,
  # resources) it shares; no page of its own: the page loads its script.
  add_dependencies(${twin} ${target})
  set_target_properties(${twin} PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY "$<TARGET_FILE_DIR:${target}>")
endfunction()
