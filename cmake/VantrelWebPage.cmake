# vantrel_add_web_page(<target> [DATA <file or folder>...] [SHELL <page.html>])
#
# In the web build, makes <target> (an executable linking Vantrel::vantrel or
# Vantrel::win32) a page: <target>.html beside its .js, .wasm and .data.
# Each DATA file or folder is placed in the page's working folder under its
# own name, where the game opens it as it would beside its program ("data"
# for data/level1.dat).  SHELL replaces the library's page (shell.html) with
# the game's own; it must hold emscripten's {{{ SCRIPT }}} and a canvas
# with the id "canvas".  Elsewhere the function does nothing, so that a
# game's build file is the same for every system.
function(vantrel_add_web_page target)
  if(NOT EMSCRIPTEN)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 page "" "SHELL" "DATA")
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
endfunction()
