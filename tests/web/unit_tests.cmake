# The library's unit tests in the web build, run by node without a page: per
# folder, one program of the test files that reach the library only through
# its public headers (tests/public_only.cmake, the rule the Windows build
# uses), built with emcc against libvantrel.a as a game's page is, and run as
# JavaScript by the toolchain's emulator (node).  A page adds nothing these
# tests look at, and node starts in a fraction of a browser's time.
#
# GoogleTest is built from Debian's sources with emcc (emscripten ships none).
set(VANTREL_TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)
include(${VANTREL_TESTS_DIR}/public_only.cmake)

set(VANTREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the web")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# GoogleTest asks for threads by default; the web build has none.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${VANTREL_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)


# node itself: the emulator emscripten's toolchain file names carries a flag
# for old nodes that newer ones refuse.
find_program(VANTREL_NODE NAMES node nodejs REQUIRED)

file(GLOB support_sources CONFIGURE_DEPENDS ${VANTREL_TESTS_DIR}/support/*.cpp)
set(public_support)
foreach(source IN LISTS support_sources)
  vantrel_public_only(${source} ok)
  if(ok)
    list(APPEND public_support ${source})
  endif()
endforeach()
add_library(vantrel_web_test_support STATIC ${public_support})
target_include_directories(vantrel_web_test_support PUBLIC ${VANTREL_TESTS_DIR}
  ${PROJECT_SOURCE_DIR}/platform/compat/include)
target_link_libraries(vantrel_web_test_support PUBLIC vantrel GTest::gtest)

# The unit tests' folders: those without a build file of their own (which
# hold end-to-end tests on real windows, packaging checks, Windows-only
# tests), and tests/win32's unit tests.
file(GLOB test_dirs LIST_DIRECTORIES true RELATIVE ${VANTREL_TESTS_DIR} ${VANTREL_TESTS_DIR}/*)
set(left_out)
foreach(dir IN LISTS test_dirs)
  set(path ${VANTREL_TESTS_DIR}/${dir})
  if(NOT IS_DIRECTORY ${path} OR dir MATCHES "^(support|pictures|web)$")
    continue()
  endif()
  if(EXISTS ${path}/CMakeLists.txt AND NOT dir STREQUAL "win32")
    continue()
  endif()
  if(dir STREQUAL "win32")
    file(GLOB sources CONFIGURE_DEPENDS ${path}/*_test.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${path}/*.cpp)
  endif()
  set(public)
  foreach(source IN LISTS sources)
    vantrel_public_only(${source} ok)
    # Threads of the tests' own, which a page lacks (the library's
    # background work runs in the program's turns there).
    file(STRINGS ${source} threads REGEX "std::thread|CreateThread|_beginthread")
    if(ok AND NOT threads)
      list(APPEND public ${source})
    else()
      file(RELATIVE_PATH name ${VANTREL_TESTS_DIR} ${source})
      list(APPEND left_out ${name})
    endif()
  endforeach()
  if(public)
    set(target test_${dir})
    add_executable(${target} ${public})
    target_link_libraries(${target} PRIVATE vantrel_web_test_support GTest::gtest_main vantrel_build_options)
    # MEMFS for the tests' scratch files; the heap grows as the tests need.
    # Compiled synchronously: emcc 3.1.6 fetches the .wasm with fetch()
    # wherever there is one, and node's fetch takes no file paths.
    target_link_options(${target} PRIVATE -sALLOW_MEMORY_GROWTH -sENVIRONMENT=node
      -sWASM_ASYNC_COMPILATION=0)
    add_test(NAME ${target} COMMAND ${VANTREL_NODE} $<TARGET_FILE:${target}>)
    # Once a wait has unwound main (ASYNCIFY), main's result is not node's:
    # a failed test is known by GoogleTest's report.
    set_tests_properties(${target} PROPERTIES TIMEOUT 300 FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
    if(dir STREQUAL "win32")
      # The program's own resources, as the native test program has them.
      set(resources ${path}/resources)
      vantrel_add_resources(${target} ${resources}/resources.rc DEPENDS ${resources}/resource_ids.h
        ${resources}/colours.bmp ${resources}/palette.bmp ${resources}/game.ico ${resources}/beep.wav
        ${resources}/level.dat)
    endif()
  endif()
endforeach()
string(REPLACE ";" " " left_out "${left_out}")
message(STATUS "Unit tests not run in the web build (internal headers, POSIX calls or threads): ${left_out}")

# The kernels' differential tests: every code path the build has (here the
# plain one and WebAssembly's SIMD) gives the plain path's bytes.  They reach
# the kernels and the path chooser inside the library, so they link its
# internal archive rather than a page's library.
set(kernel_tests platform/code_path_test.cpp platform/widen_rows_test.cpp rle/blitter_reference_test.cpp
  surface/blit_fastpath_test.cpp surface/edge_clipping_test.cpp)
list(TRANSFORM kernel_tests PREPEND ${VANTREL_TESTS_DIR}/)
add_executable(test_code_paths ${kernel_tests})
target_include_directories(test_code_paths PRIVATE ${VANTREL_TESTS_DIR})
target_link_libraries(test_code_paths PRIVATE vantrel_static vantrel_build_options GTest::gtest_main)
target_link_options(test_code_paths PRIVATE -msimd128 -sALLOW_MEMORY_GROWTH -sENVIRONMENT=node
  -sWASM_ASYNC_COMPILATION=0)
add_test(NAME test_code_paths COMMAND ${VANTREL_NODE} $<TARGET_FILE:test_code_paths>)
set_tests_properties(test_code_paths PROPERTIES TIMEOUT 300)
