# Installs the built library into a scratch prefix, then builds the sample
# port's unchanged source against it with find_package and with pkg-config,
# and runs each build headless in a folder holding the port's data, with a
# Windows folder (and so a registry) of its own.
include(${CMAKE_CURRENT_LIST_DIR}/../support/scratch_prefix.cmake)

# Runs the port from `folder` and checks that it played to the exit.
function(play program folder)
  run(${CMAKE_COMMAND} -E chdir ${folder}
    ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/lib VANTREL_VIDEO=headless VANTREL_AUDIO=headless
    VANTREL_WINDOWS_DIR=${folder}/windows ${program})
  if(NOT run_output MATCHES "MAZERUN: [0-9]+ frames, exit reached")
    message(FATAL_ERROR "${program} did not reach the exit:\n${run_output}")
  endif()
  file(READ ${folder}/port.ini ini)
  if(NOT ini MATCHES "\\[Scores\\]\nBest=[0-9]+")
    message(FATAL_ERROR "${program} did not write its best score:\n${ini}")
  endif()
  file(READ ${folder}/registry.reg registry)
  if(NOT registry MATCHES "\\[HKEY_CURRENT_USER\\\\Software\\\\Mazeworks\\\\MAZERUN\\]\n\"Runs\"=dword:00000001")
    message(FATAL_ERROR "${program} did not count its run in the registry:\n${registry}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component Unspecified)

# 1. find_package(Vantrel) and Vantrel::win32; the port's CMakeLists copies
#    its data beside the program and links port.rc's resources.
run(${CMAKE_COMMAND} -S ${PORT_DIR} -B ${WORK_DIR}/package -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/package)
play(${WORK_DIR}/package/mazerun ${WORK_DIR}/package)

# 2. pkg-config vantrel-win32, as strict as a game's build may be.  The
#    resources are the ones compiled above: pkg-config has no resource
#    step, so the source vantrel_add_resources wrote, which links the
#    compiled script and registers it, is compiled with the game.
file(GLOB_RECURSE pc ${prefix}/*/vantrel-win32.pc)
get_filename_component(pcdir "${pc}" DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --cflags --libs vantrel-win32
  OUTPUT_VARIABLE flags RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know vantrel-win32")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
set(game ${WORK_DIR}/pkgconfig)
file(MAKE_DIRECTORY ${game})
file(COPY ${PORT_DIR}/data ${PORT_DIR}/port.ini DESTINATION ${game})
run(c++ -Wall -Wextra -Werror -pedantic-errors ${PORT_DIR}/port.cpp ${WORK_DIR}/package/vantrel_resources/mazerun_port.cpp
  ${flags} -o ${game}/mazerun)
play(${game}/mazerun ${game})
