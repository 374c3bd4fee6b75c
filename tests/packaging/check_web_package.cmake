# Installs the web build into a scratch prefix, builds the web consumer
# against it with the same toolchain, and opens both of its pages in
# headless chromium: each must say it ran.
include(${CMAKE_CURRENT_LIST_DIR}/../support/scratch_prefix.cmake)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_FIND_ROOT_PATH=${prefix}
  -DFIRST_PAGE_SOURCE=${FIRST_PAGE_SOURCE} -DDATA_DIR=${DATA_DIR})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${RUN_PAGE} ${CHROMIUM} ${WORK_DIR}/build plain.html "first page: 30 frames drawn")
run(${RUN_PAGE} ${CHROMIUM} ${WORK_DIR}/build mygame.html "web consumer: ok, read 14 bytes")
