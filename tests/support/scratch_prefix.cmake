# For the scripts (cmake -P) that check a library as it is installed: an
# empty WORK_DIR, the scratch prefix `prefix` inside it to install into, and
# run(), which runs a command, stops the script with everything the command
# said when it fails, and leaves its standard output in `run_output`.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()
