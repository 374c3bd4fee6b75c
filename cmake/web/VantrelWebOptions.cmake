# What every program linking Vantrel::vantrel in the web build needs, carried
# by the library's target, so that a plain add_executable with an .html
# suffix linking it makes a working page:
#  - ASYNCIFY: the game's own loop runs unchanged, and the platform's
#    waiting calls (platform/host/web/waiting.cpp) give the browser its
#    turn by unwinding to its event loop (VANTREL_WEB_ASYNCIFY below);
#  - the file system with browser storage (IDBFS) for the game's files, and
#    the library's page script (page_runtime.js: the page's settings, saved
#    files, failures on the page);
#  - the page (shell.html, or the target's VANTREL_WEB_SHELL property);
#  - the fonts GDI text finds in VANTREL_FONT_FOLDER;
#  - WebAssembly SIMD for the vector kernels;
#  - no object below 64 KiB: the interface tells a name from a number
#    (MAKEINTATOM, MAKEINTRESOURCE) by the pointer's value, which Windows
#    keeps out of its lowest 64 KiB and WebAssembly's data would start in;
#  - the JavaScript library functions SDL's Web Audio code calls.
# Paths are the source tree's in the build and the package's once installed.
set(VANTREL_WEB_FILES page_runtime.js plain_program.js shell.html sdl_library_functions.json)
set(VANTREL_WEB_FONTS DejaVuSans DejaVuSans-Bold DejaVuSansMono DejaVuSerif)
set(VANTREL_WEB_FONT_SOURCE /usr/share/fonts/truetype/dejavu CACHE PATH
  "Where the DejaVu fonts pages bring are found (fonts-dejavu-core)")
include(${CMAKE_CURRENT_LIST_DIR}/VantrelWebFonts.cmake)

include(GNUInstallDirs)
set(VANTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vantrel)
set(VANTREL_FONT_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vantrel/fonts)

function(vantrel_web_file var name)
  set(${var} "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/cmake/web/${name}>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${VANTREL_CMAKE_DIR}/web/${name}>" PARENT_SCOPE)
endfunction()

# ASYNCIFY instruments every function that may be on the stack when a wait
# unwinds it, and cannot see through calls by pointer, so it instruments
# every function that makes one: 1661 in the demo, 0.9 MB of its 4.5 MB
# .wasm.  FreeType never calls back into the program, so its functions are
# left as they are.  (SDL's cannot be: it gives the browser a turn of its own
# after each frame it shows, which pages under chromium's virtual time need.)
# The track decoder's libraries (libsndfile and its codecs, opened by path,
# so never calling the program either) are left out function by function:
# their 1900 names come from the archives themselves, and leaving them out
# makes the demo's .wasm 246 KB smaller.  Most of the names are of functions
# the link drops or the optimiser inlines, for which the link warns ("removelist
# contained a non-existing function name"): harmless.  The list goes to emcc
# in a file (asyncify_remove.json, installed with the package's web files).
set(VANTREL_WEB_ASYNCIFY_REMOVE FT_* ft_* tt_* TT_* cff_* ps_* af_* pfr_* t1_* T1_* sfnt_* pcf_* bdf_* gray_*
  cid_* winfnt_* psh_* psaux_* pshinter_*)
foreach(archive IN LISTS VANTREL_WEB_DECODER_ARCHIVES)
  execute_process(COMMAND ${CMAKE_NM} --defined-only ${archive} OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_result
    ERROR_VARIABLE nm_error)
  if(NOT nm_result EQUAL 0)
    message(FATAL_ERROR "${CMAKE_NM} cannot list ${archive}: ${nm_error}")
  endif()
  string(REGEX MATCHALL " [Tt] [^\n]+" functions "${symbols}")
  list(TRANSFORM functions REPLACE "^ [Tt] " "")
  list(APPEND VANTREL_WEB_ASYNCIFY_REMOVE ${functions})
endforeach()
list(REMOVE_DUPLICATES VANTREL_WEB_ASYNCIFY_REMOVE)
list(JOIN VANTREL_WEB_ASYNCIFY_REMOVE "\",\n\"" remove)
set(VANTREL_WEB_ASYNCIFY_REMOVE_FILE ${PROJECT_BINARY_DIR}/web/asyncify_remove.json)
file(CONFIGURE OUTPUT ${VANTREL_WEB_ASYNCIFY_REMOVE_FILE} CONTENT "[\"${remove}\"]\n" @ONLY)

# vantrel_web_options(<target> [PLAIN]): PLAIN leaves WebAssembly SIMD out.
function(vantrel_web_options target)
  cmake_parse_arguments(O "PLAIN" "" "" ${ARGN})
  set(simd -msimd128)
  set(plain_marker)
  vantrel_web_file(plain_program plain_program.js)
  if(O_PLAIN)
    set(simd)
    set(plain_marker "SHELL:--pre-js ${plain_program}")
  endif()
  vantrel_web_file(runtime page_runtime.js)
  vantrel_web_file(shell shell.html)
  vantrel_web_file(sdl_functions sdl_library_functions.json)
  set(own_shell $<TARGET_PROPERTY:VANTREL_WEB_SHELL>)
  set(remove "$<BUILD_INTERFACE:${VANTREL_WEB_ASYNCIFY_REMOVE_FILE}>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${VANTREL_CMAKE_DIR}/web/asyncify_remove.json>")
  set(fonts)
  foreach(face IN LISTS VANTREL_WEB_FONTS)
    set(source "$<BUILD_INTERFACE:${VANTREL_WEB_FONT_DIR}/${face}.ttf>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${VANTREL_FONT_INSTALL_DIR}/${face}.ttf>")
    list(APPEND fonts "SHELL:--preload-file ${source}@${VANTREL_FONT_FOLDER}/${face}.ttf")
  endforeach()
  target_compile_options(${target} INTERFACE ${simd})
  target_link_options(${target} INTERFACE
    ${simd}
    -sASYNCIFY
    "SHELL:-sASYNCIFY_IMPORTS=[\"vantrel_wait_for_animation_frame\"]"
    "SHELL:-sASYNCIFY_REMOVE=@${remove}"
    -sALLOW_MEMORY_GROWTH
    -sGLOBAL_BASE=65536
    -sFORCE_FILESYSTEM
    -lidbfs.js
    -sMINIFY_HTML=0
    ${plain_marker}
    "SHELL:--pre-js ${runtime}"
    "SHELL:--shell-file $<IF:$<BOOL:${own_shell}>,${own_shell},${shell}>"
    ${fonts})
  # In the library's own build a page is linked again when these change.
  foreach(file IN LISTS VANTREL_WEB_FILES)
    set_property(TARGET ${target} APPEND PROPERTY INTERFACE_LINK_DEPENDS
      "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/cmake/web/${file}>")
  endforeach()
  set_property(TARGET ${target} APPEND PROPERTY INTERFACE_LINK_DEPENDS
    "$<BUILD_INTERFACE:${VANTREL_WEB_ASYNCIFY_REMOVE_FILE}>")
  if(VANTREL_WITH_SDL2)
    # SDL 2.26's Web Audio code calls two of emscripten's JavaScript library
    # functions that emscripten 3.1.6 includes only when asked.  Their names
    # start with a dollar sign, which no command line keeps whole through
    # make and the shell: emcc reads them from a file.
    target_link_options(${target} INTERFACE "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${sdl_functions}")
  endif()
endfunction()
