# Installs the built library into a scratch prefix, then builds the consumer
# game the three documented ways and runs each program as a user would: no
# LD_LIBRARY_PATH, so the run-time search path that each way leaves in the
# program is what finds libvantrel.so.
include(${CMAKE_CURRENT_LIST_DIR}/../support/scratch_prefix.cmake)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(tool vtlpack vtlsprite)
  if(NOT EXISTS ${prefix}/bin/${tool})
    message(FATAL_ERROR "${tool} was not installed")
  endif()
endforeach()

# The demo, when the build has it, comes with its CD and plays it from the
# installed prefix with nothing set: a short headless run names the music it
# played.
if(EXISTS ${prefix}/bin/vantrel-demo)
  file(GLOB disc ${prefix}/share/vantrel/demo/cdaudio/track01.*)
  if(NOT disc)
    message(FATAL_ERROR "the demo's disc was not installed under share/vantrel/demo/cdaudio")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=VANTREL_CDAUDIO --unset=DISPLAY
      --unset=WAYLAND_DISPLAY VANTREL_VIDEO=headless VANTREL_AUDIO=headless
      ${prefix}/bin/vantrel-demo --window --frames 20
    WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "music: CD track 1")
    message(FATAL_ERROR "the installed demo does not play its disc (${rc}):\n${out}\n${err}")
  endif()
endif()

# 1. find_package(Vantrel): the library, both tools as imported targets,
#    vantrel_embed_archive.
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/package -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/package)
run(${WORK_DIR}/package/mygame)
run(${WORK_DIR}/package/mygame_files)
run(${WORK_DIR}/package/mygame_rc)

# The tarball of docs/shipping.md, run from another folder with the
# library's install prefix moved out of the way: only the copy beside the
# program can be found.
set(tarball ${WORK_DIR}/tarball/mygame-1.0)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/package --prefix ${tarball})
file(RENAME ${prefix} ${prefix}-away)
execute_process(COMMAND ${tarball}/mygame WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE rc
  OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(RENAME ${prefix}-away ${prefix})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the shipped game does not run (${rc}):\n${out}\n${err}")
endif()

# 2. pkg-config, the line of docs/getting-started.md.
file(GLOB_RECURSE pc ${prefix}/*/vantrel.pc)
get_filename_component(pcdir "${pc}" DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --cflags --libs vantrel
  OUTPUT_VARIABLE flags RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know vantrel")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(g++ -std=c++17 ${CONSUMER_DIR}/main.cpp ${flags} -o ${WORK_DIR}/pkgconfig-consumer)
run(${WORK_DIR}/pkgconfig-consumer)

# 3. add_subdirectory: only the library is built, and the tools because the
#    recipe needs them.
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/subdir -DVANTREL_SOURCE_DIR=${SOURCE_DIR})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/subdir -j2)
run(${WORK_DIR}/subdir/mygame)
run(${WORK_DIR}/subdir/mygame_files)
run(${WORK_DIR}/subdir/mygame_rc)
