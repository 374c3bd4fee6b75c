# vantrel_add_child_folders(): adds each subfolder of the current source
# folder that has a CMakeLists.txt, in name order.  Examples, tools and
# fuzzers are one program a folder, so a new one needs no line here.
function(vantrel_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
