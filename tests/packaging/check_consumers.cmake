# Installs the built library into a scratch prefix, then builds and runs the
# consumer program against it three ways.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component Unspecified)

# 1. find_package(Vantrel)
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/package -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/package)
run(${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/lib ${WORK_DIR}/package/consumer)

# 2. pkg-config
file(GLOB_RECURSE pc ${prefix}/*/vantrel.pc)
get_filename_component(pcdir "${pc}" DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --cflags --libs vantrel
  OUTPUT_VARIABLE flags RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know vantrel")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(c++ ${CONSUMER_DIR}/main.cpp ${flags} -o ${WORK_DIR}/pkgconfig-consumer)
run(${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${prefix}/lib ${WORK_DIR}/pkgconfig-consumer)

# 3. add_subdirectory
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/subdir -DVANTREL_SOURCE_DIR=${SOURCE_DIR})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/subdir -j2)
run(${WORK_DIR}/subdir/consumer)
