# Runs PROGRAM --help in an empty folder: it must print its usage on
# standard output, exit 0 and leave the folder empty (an example that took
# --help for a folder or file name used to create it).
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env VANTREL_VIDEO=headless VANTREL_AUDIO=headless
    ${PROGRAM} --help
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${code}\n${out}${err}")
endif()
if(NOT out MATCHES "^usage: ")
  message(FATAL_ERROR "${PROGRAM} --help printed no usage on standard output:\n${out}\n${err}")
endif()
file(GLOB left ${WORK_DIR}/*)
if(left)
  message(FATAL_ERROR "${PROGRAM} --help left files behind: ${left}")
endif()
