# The benchmarks in the web build: the same sources, without the peers that
# have no web build here (SDL's mixer, libsndfile), as two programs of one
# build: vantrel-bench.js, run by node (V8's WebAssembly without a page), and
# vantrel-bench-page.html, run in headless chromium by bench/web_page_bench.js.
# Google Benchmark is cross-built from Debian's source, like the library's
# own third-party libraries.  Debian's source asks git for its version,
# which a source package has none of: 0.0.0 says to take the project's.
#   node build-web/bench/vantrel-bench.js --benchmark_filter=Path
#   scripts/bench-web.sh       (the showcase frame here, natively and in chromium)
include(web/VantrelWebLibraries)
vantrel_web_library(benchmark CMAKE_ARGS
  -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF
  -DBENCHMARK_ENABLE_LTO=OFF -DBENCHMARK_ENABLE_INSTALL=ON -DGIT_VERSION=0.0.0)
find_package(benchmark REQUIRED)

file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
list(FILTER sources EXCLUDE REGEX "/(sdl_[^/]*|sndfile_[^/]*|audio_mixer)\\.cpp$")

# The page has a main of its own, which says when the benchmarks are done.
add_executable(vantrel-bench ${sources})
target_link_libraries(vantrel-bench PRIVATE benchmark::benchmark_main)
add_executable(vantrel-bench-page ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/web/page_main.cpp)
target_link_libraries(vantrel-bench-page PRIVATE benchmark::benchmark)
foreach(target vantrel-bench vantrel-bench-page)
  target_link_libraries(${target} PRIVATE vantrel_static vantrel_build_options)
  # Built as a page is (cmake/web/VantrelWebOptions.cmake), so that a frame
  # costs here what it costs a game: data from 64 KiB up (the window class's
  # name would otherwise sit where the interface reads a number), and
  # ASYNCIFY, which the showcase's first present needs to wait for the
  # display and which instruments the code every frame runs.
  target_link_options(${target} PRIVATE -sALLOW_MEMORY_GROWTH -sGLOBAL_BASE=65536 -sASYNCIFY
    "SHELL:-sASYNCIFY_IMPORTS=[\"vantrel_wait_for_animation_frame\"]"
    "SHELL:-sASYNCIFY_REMOVE=@${VANTREL_WEB_ASYNCIFY_REMOVE_FILE}")
  if(TARGET vantrel_showcase_game)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:vantrel_showcase_game>)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/examples/showcase)
    target_compile_definitions(${target} PRIVATE VANTREL_HAVE_SHOWCASE=1)
    add_dependencies(${target} showcase_data)
    vantrel_embed_archive(${target} SHOWCASE ${VANTREL_SHOWCASE_ARCHIVE})
  endif()
endforeach()
# node: compiled synchronously (emcc 3.1.6 would fetch() the .wasm, which
# node's fetch cannot for a file).
target_link_options(vantrel-bench PRIVATE -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0)
# The page takes the benchmark's options from its address (?--benchmark_filter=...).
set_target_properties(vantrel-bench-page PROPERTIES SUFFIX .html)
target_link_options(vantrel-bench-page PRIVATE -sMINIFY_HTML=0
  "SHELL:--pre-js ${CMAKE_CURRENT_SOURCE_DIR}/web_page_arguments.js")
