#!/usr/bin/env bash
# Builds and runs every test: a warnings-as-errors build, a build without the
# SDL backend and its headless tests, then the tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the threaded ones under
# ThreadSanitizer, the fuzzers, the web build in a headless browser, and the
# Windows builds under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

. scripts/ccache-cmake.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON
cmake --build build -j "$jobs"
# A virtual display, so that the end-to-end tests open real windows.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j "$jobs"

# Without the SDL backend: the library and its headless unit tests, which
# proves that nothing outside the backend table needs SDL.  The end-to-end
# tests need SDL and leave themselves out; the packaging check, run by the
# build above, is skipped.
cmake -S . -B build-nosdl -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON -DVANTREL_WITH_SDL2=OFF \
  -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_BUILD_EXAMPLES=OFF -DVANTREL_BUILD_TOOLS=OFF
cmake --build build-nosdl -j "$jobs"
ctest --test-dir build-nosdl --output-on-failure -j "$jobs" -E '^packaging_'

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTREL_WERROR=ON -DVANTREL_SANITIZE=ON \
  -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_BUILD_EXAMPLES=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# The programs whose tests run threads against each other (sound streams and
# their worker threads, the mixer, events), again under ThreadSanitizer.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_WERROR=ON \
  -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_BUILD_EXAMPLES=OFF -DVANTREL_BUILD_TOOLS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
  -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread
tsan_tests=(test_audio test_platform)
cmake --build build-tsan -j "$jobs" --target "${tsan_tests[@]}"
for t in "${tsan_tests[@]}"; do
  TSAN_OPTIONS=halt_on_error=1 VANTREL_VIDEO=headless VANTREL_AUDIO=headless "build-tsan/tests/$t"
done

# The fuzzers, built with clang's libFuzzer, each for a short fixed time.
if [ -n "$(find fuzz -mindepth 2 -name CMakeLists.txt -print -quit)" ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_BUILD_FUZZERS=ON \
    -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_BUILD_EXAMPLES=OFF -DVANTREL_BUILD_TOOLS=OFF
  cmake --build build-fuzz -j "$jobs"
  ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
fi

# The web build: its unit tests under node, its pages in headless chromium.
scripts/test-web.sh

scripts/test-windows.sh
