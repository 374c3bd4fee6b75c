# Third-party libraries for the web build, cross-built with emcc from
# Debian's own sources while the project is configured.
#
# Emscripten's ports are downloaded at build time, which the build must not
# depend on, and Debian's emscripten brings none of them prebuilt.  Debian's
# source packages are what the machine's package system already trusts
# (scripts/install-web-deps.sh adds the deb-src entry), and the version they
# come in names the build.
#
# The results are kept per user, in VANTREL_WEB_LIBRARY_CACHE (by default
# $XDG_CACHE_HOME/vantrel-web, else ~/.cache/vantrel-web), one folder per
# package, source version, emcc version and recipe: a second configure, a
# second build folder and a fresh clone on the same machine all reuse it, and
# a new Debian version, compiler or recipe builds beside the old instead of
# over it.  A lock per folder lets two configures run at once.

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(VANTREL_WEB_LIBRARY_CACHE_DEFAULT "$ENV{XDG_CACHE_HOME}/vantrel-web")
else()
  set(VANTREL_WEB_LIBRARY_CACHE_DEFAULT "$ENV{HOME}/.cache/vantrel-web")
endif()
set(VANTREL_WEB_LIBRARY_CACHE "${VANTREL_WEB_LIBRARY_CACHE_DEFAULT}" CACHE PATH
  "Where the web build keeps the libraries it cross-builds from Debian's sources")

# emcc's JavaScript tools need node's acorn module; a node that is not
# Debian's finds it only through NODE_PATH.
set(VANTREL_WEB_NODE_PATH /usr/share/nodejs)
set(VANTREL_WEB_TYPE_SIZES ${CMAKE_CURRENT_LIST_DIR}/wasm32_type_sizes.cmake)

# vantrel_web_library(<source package> [NEEDS <source packages>...]
#                     [ADD_FILES <files>...] [CMAKE_ARGS <arguments>...])
# Builds the source package's CMake project for the web once per version and
# puts the result where find_package() and find_library() look.  NEEDS names
# packages built by earlier calls that this one's build finds; their
# versions are part of its folder's name, so a new one rebuilds it.
# ADD_FILES are copied into the source's top folder before it is configured
# (for files a release left out of its tarball); their contents are part of
# the recipe.
# Every package's folder is also kept in the global property
# VANTREL_WEB_LIBRARY_PREFIXES, from which the package's install takes the
# archives pages link.
function(vantrel_web_library package)
  cmake_parse_arguments(L "" "" "NEEDS;ADD_FILES;CMAKE_ARGS" ${ARGN})

  # The version apt would fetch, read from the package lists alone.
  execute_process(COMMAND apt-get source --print-uris ${package}
    OUTPUT_VARIABLE uris ERROR_VARIABLE apt_error RESULT_VARIABLE apt_result)
  string(REGEX MATCH " ${package}_([^ ]+)\\.dsc " dsc_match "${uris}")
  if(NOT apt_result EQUAL 0 OR NOT dsc_match)
    message(FATAL_ERROR "The web build needs the Debian source of ${package}, and apt knows none: "
      "run scripts/install-web-deps.sh (it adds the deb-src entry).\n${apt_error}")
  endif()
  set(version "${CMAKE_MATCH_1}")

  set(recipe_text "${L_CMAKE_ARGS}")
  set(needed_prefixes)
  foreach(needed IN LISTS L_NEEDS)
    get_property(needed_prefix GLOBAL PROPERTY VANTREL_WEB_LIBRARY_${needed})
    if(NOT needed_prefix)
      message(FATAL_ERROR "vantrel_web_library(${package}) needs ${needed}, which was not built before it")
    endif()
    list(APPEND needed_prefixes "${needed_prefix}")
    get_filename_component(needed_key "${needed_prefix}" NAME)
    string(APPEND recipe_text ";${needed_key}")
  endforeach()
  foreach(added IN LISTS L_ADD_FILES)
    file(MD5 "${added}" added_hash)
    string(APPEND recipe_text ";${added_hash}")
  endforeach()
  string(MD5 recipe "${recipe_text}")
  string(SUBSTRING "${recipe}" 0 8 recipe)
  set(key "${package}-${version}-emcc${EMSCRIPTEN_VERSION}-${recipe}")
  set(prefix "${VANTREL_WEB_LIBRARY_CACHE}/${key}")

  file(MAKE_DIRECTORY "${VANTREL_WEB_LIBRARY_CACHE}")
  file(LOCK "${prefix}.lock" GUARD FUNCTION TIMEOUT 3600)
  if(NOT EXISTS "${prefix}/complete")
    message(STATUS "Building ${package} ${version} for the web (once, into ${prefix})")
    set(work "${CMAKE_BINARY_DIR}/web-libraries/${key}")
    file(REMOVE_RECURSE "${work}" "${prefix}")
    file(MAKE_DIRECTORY "${work}")
    # The needed packages' folders, where the build's find_package() and
    # find_library() look (the toolchain file adds emscripten's sysroot),
    # and the type sizes its checks cannot find out for themselves.
    file(WRITE "${work}/needs.cmake"
      "set(CMAKE_FIND_ROOT_PATH \"${needed_prefixes}\" CACHE STRING \"\")\n"
      "set(CMAKE_PREFIX_PATH \"${needed_prefixes}\" CACHE STRING \"\")\n"
      "include(\"${VANTREL_WEB_TYPE_SIZES}\")\n")
    set(env ${CMAKE_COMMAND} -E env NODE_PATH=${VANTREL_WEB_NODE_PATH})
    if(L_ADD_FILES)
      set(copy_step ${CMAKE_COMMAND} -E copy ${L_ADD_FILES} source)
    else()
      set(copy_step ${CMAKE_COMMAND} -E true)
    endif()
    set(log "${work}/build.log")
    foreach(step
        "apt-get;source;--download-only;${package}"
        "sh;-c;dpkg-source --no-check -x ${package}_*.dsc source"
        "${copy_step}"
        "${env};${CMAKE_COMMAND};-S;source;-B;build;-G;${CMAKE_GENERATOR};-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE};-DCMAKE_BUILD_TYPE=Release;-DBUILD_SHARED_LIBS=OFF;-DCMAKE_INSTALL_PREFIX=${prefix};-C;${work}/needs.cmake;${L_CMAKE_ARGS}"
        "${env};${CMAKE_COMMAND};--build;build;--parallel;2"
        "${env};${CMAKE_COMMAND};--install;build")
      execute_process(COMMAND ${step} WORKING_DIRECTORY "${work}" RESULT_VARIABLE result
        OUTPUT_VARIABLE out ERROR_VARIABLE out)
      file(APPEND "${log}" "$ ${step}\n${out}\n")
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "Building ${package} for the web failed at: ${step}\nSee ${log}")
      endif()
    endforeach()
    file(TOUCH "${prefix}/complete")
    file(REMOVE_RECURSE "${work}")
  endif()

  set_property(GLOBAL PROPERTY VANTREL_WEB_LIBRARY_${package} "${prefix}")
  set_property(GLOBAL APPEND PROPERTY VANTREL_WEB_LIBRARY_PREFIXES "${prefix}")

  # In front of emscripten's own sysroot, whose SDL2 package only asks for
  # the port that would be downloaded.
  list(PREPEND CMAKE_FIND_ROOT_PATH "${prefix}")
  list(PREPEND CMAKE_PREFIX_PATH "${prefix}")
  set(CMAKE_FIND_ROOT_PATH "${CMAKE_FIND_ROOT_PATH}" PARENT_SCOPE)
  set(CMAKE_PREFIX_PATH "${CMAKE_PREFIX_PATH}" PARENT_SCOPE)
endfunction()
