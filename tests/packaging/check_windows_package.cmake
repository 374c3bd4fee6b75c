# Installs the Windows build into a scratch prefix, checks its layout and
# that no program or DLL needs the compiler's runtime DLLs, then builds the
# consumer game against it the two documented ways (the CMake package and
# pkg-config) and runs each as a player would: from a folder holding the
# program and vantrel.dll only.  Programs run through EMULATOR (Wine) when
# it is given.
include(${CMAKE_CURRENT_LIST_DIR}/../support/scratch_prefix.cmake)

# A game run from its own folder prints "consumer ok".
function(play program)
  get_filename_component(folder ${program} DIRECTORY)
  execute_process(COMMAND ${EMULATOR} ${program} WORKING_DIRECTORY ${folder}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "consumer ok")
    message(FATAL_ERROR "${program} does not run (${rc}):\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(file bin/vantrel.dll bin/vtlpack.exe bin/vtlsprite.exe lib/libvantrel.dll.a include/vantrel.h
    lib/cmake/Vantrel/VantrelConfig.cmake lib/pkgconfig/vantrel.pc lib/pkgconfig/vantrel-win32.pc)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()

# The runtime is linked statically: vantrel.dll is the only DLL a game
# ships, and the installed programs need nothing else either.
file(GLOB binaries ${prefix}/bin/*.exe ${prefix}/bin/*.dll)
foreach(binary IN LISTS binaries)
  run(${OBJDUMP} -p ${binary})
  string(REGEX MATCHALL "DLL Name: [^\n]*" imports "${run_output}")
  string(TOLOWER "${imports}" imports)
  if(imports MATCHES "libstdc|libgcc|libwinpthread")
    message(FATAL_ERROR "${binary} needs the compiler's runtime DLLs: ${imports}")
  endif()
endforeach()

# The game's data, made by the installed tools.
set(data ${WORK_DIR}/data)
file(MAKE_DIRECTORY ${data})
run(${EMULATOR} ${prefix}/bin/vtlsprite.exe rle ${CONSUMER_DIR}/art/dot.png ${data}/DOT.RLE)
run(${EMULATOR} ${prefix}/bin/vtlpack.exe create ${data}/game.vtl ${CONSUMER_DIR}/data ${data}/DOT.RLE)

# 1. find_package(Vantrel), and the folder the game ships as.
set(toolchain)
if(TOOLCHAIN)
  set(toolchain -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
run(${CMAKE_COMMAND} -S ${WINDOWS_CONSUMER_DIR} -B ${WORK_DIR}/package ${toolchain}
  -DVantrel_DIR=${prefix}/lib/cmake/Vantrel -DGAME_SOURCE=${CONSUMER_DIR}/main.cpp -DGAME_ARCHIVE=${data}/game.vtl)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/package)
set(shipped ${WORK_DIR}/shipped)
run(${CMAKE_COMMAND} --install ${WORK_DIR}/package --prefix ${shipped})
file(GLOB shipped_files RELATIVE ${shipped} ${shipped}/*)
list(SORT shipped_files)
if(NOT shipped_files STREQUAL "mygame.exe;vantrel.dll")
  message(FATAL_ERROR "the shipped folder holds ${shipped_files}, not mygame.exe and vantrel.dll")
endif()
play(${shipped}/mygame.exe)
file(COPY ${prefix}/bin/vantrel.dll DESTINATION ${WORK_DIR}/package)
play(${WORK_DIR}/package/mygame_win32.exe)

# 2. pkg-config, with the compiler the build used.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG AND CXX)
  set(ENV{PKG_CONFIG_LIBDIR} ${prefix}/lib/pkgconfig)
  run(${PKG_CONFIG} --cflags --libs vantrel-win32)
  string(STRIP "${run_output}" flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(game ${WORK_DIR}/pkgconfig)
  file(MAKE_DIRECTORY ${game})
  run(${CXX} ${CONSUMER_DIR}/main.cpp ${flags} -static -o ${game}/mygame.exe)
  file(COPY ${prefix}/bin/vantrel.dll DESTINATION ${game})
  play(${game}/mygame.exe)
endif()
