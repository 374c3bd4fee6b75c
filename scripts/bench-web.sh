#!/usr/bin/env bash
# The web build against the native one, in one run: the showcase frame (when
# the web build has the showcase) and the kernels that have a build per
# code path (blend and LUT blits, RLE blits),
# timed natively, under node and in headless chromium, and the WebAssembly
# build with SIMD (-msimd128) against the one without.  Prints one table;
# each ratio is the other's time over the native build's (or the plain
# WebAssembly build's): 0.5 means half the speed.
#
#   scripts/bench-web.sh        (after scripts/install-deps.sh and install-web-deps.sh)
#
# Builds build (native, as the test command does), build-web-bench and
# build-web-bench-simd (Release) when they lack vantrel-bench.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v jq >/dev/null || { echo "jq is needed to read the results" >&2; exit 1; }

jobs=$(nproc 2>/dev/null || echo 2)
export NODE_PATH=/usr/share/nodejs
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
launchers=()
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

filter='showcaseFrame/width:640/height:480/bits:16|BM_Surface_BlendBltPath/0|BM_Surface_LutBltPath/0|BM_Rle_BltPath/0'
min_time=${BENCH_MIN_TIME:-0.2}

# Native, as the test command builds it.
[ -f build/CMakeCache.txt ] ||
  cmake -S . -B build "${launchers[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON
cmake --build build -j "$jobs" --target vantrel-bench

# WebAssembly, without and with SIMD.
web_build() {
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] ||
    emcmake cmake -S . -B "$dir" "${launchers[@]}" -DCMAKE_BUILD_TYPE=Release -DVANTREL_WITH_SDL2=OFF \
      -DVANTREL_BUILD_TOOLS=OFF -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCHMARKS=ON "$@"
  cmake --build "$dir" -j "$jobs" --target vantrel-bench vantrel-bench-page
}
web_build build-web-bench
web_build build-web-bench-simd -DCMAKE_C_FLAGS=-msimd128 -DCMAKE_CXX_FLAGS=-msimd128 \
  -DCMAKE_EXE_LINKER_FLAGS=-msimd128
(cd build-web-bench/web-driver 2>/dev/null || { mkdir -p build-web-bench/web-driver && cd build-web-bench/web-driver; }
  cp ../../tests/web/driver/package.json ../../tests/web/driver/package-lock.json . &&
  npm ci --no-audit --no-fund --ignore-scripts >/dev/null)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The machine is shared: the median of five repetitions of each.
options=(--benchmark_filter="$filter" --benchmark_min_time="$min_time" --benchmark_repetitions=5
  --benchmark_report_aggregates_only=true --benchmark_format=json)
VANTREL_VIDEO=headless VANTREL_AUDIO=headless build/bench/vantrel-bench "${options[@]}" >"$out/native.json"
node build-web-bench/bench/vantrel-bench.js "${options[@]}" >"$out/node.json"
node build-web-bench-simd/bench/vantrel-bench.js "${options[@]}" >"$out/node-simd.json"
query=$(printf '%s&' "${options[@]}" | sed 's/|/%7C/g; s/&$//')
for b in build-web-bench build-web-bench-simd; do
  NODE_PATH=build-web-bench/web-driver/node_modules \
    node bench/web_page_bench.js "$b" "bench/vantrel-bench-page.html?$query" >"$out/$b.json"
done

# name -> the median time of one iteration over the repetitions, in ns.
times() {
  jq -r '.benchmarks[] | select((.error_occurred | not) and .aggregate_name == "median") |
    "\(.run_name)\t\(.real_time * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[.time_unit])"' "$1"
}
printf '%-46s %12s %12s %12s %12s %12s\n' benchmark "native ns" "node" "chromium" "chromium+simd" "simd/plain"
# A benchmark the web build lacks (the showcase, until it has one) shows "-".
j() { join -t $'\t' -a 1 -e NA -o auto "$@"; }
j <(times "$out/native.json" | sort) <(times "$out/node.json" | sort) |
  j - <(times "$out/build-web-bench.json" | sort) |
  j - <(times "$out/build-web-bench-simd.json" | sort) |
  awk -F '\t' 'function r(a, b) { return (a == "NA" || b == "NA") ? sprintf("%12s", "-") : sprintf("%11.2fx", a / b) }
    { printf "%-46s %12.0f %s %s %s %s\n", $1, $2, r($2, $3), r($2, $4), r($2, $5), r($4, $5) }'
echo "x: the native time over this one's (speed relative to native); simd/plain: chromium without SIMD over with."
