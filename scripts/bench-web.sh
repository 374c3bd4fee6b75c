#!/usr/bin/env bash
# The web build against the native one, in one run: the showcase's busiest
# frame (640x480, 16 bits) and the kernels that have a build per code path
# (blend and lookup-image blits, RLE blits, the present's widening), timed
# natively, under node and in headless chromium; and, inside the web build,
# its WebAssembly SIMD path against its plain one (every kernel family forced
# onto one path).  Prints two tables of ratios; every row is printed, the
# losing ones too.
#
#   scripts/bench-web.sh        (after scripts/install-deps.sh and install-web-deps.sh)
#
# Builds build (native, as the test command does), build-host (the tools that
# make the showcase's data) and build-web-bench (Release) when they lack
# what is measured.
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

filter='^showcaseFrame/width:640/height:480/bits:16$|^showcaseFrameOnPath/|^BM_Surface_BlendBltPath/|^BM_Surface_LutBltPath/|^BM_Rle_BltPath/|^BM_Present16Widen/'
min_time=${BENCH_MIN_TIME:-0.2}

# Native, as the test command builds it.
[ -f build/CMakeCache.txt ] ||
  cmake -S . -B build "${launchers[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON
cmake --build build -j "$jobs" --target vantrel-bench

# The showcase's data are made by the library's tools, which run here.
[ -f build-host/CMakeCache.txt ] ||
  cmake -S . -B build-host "${launchers[@]}" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF \
    -DVANTREL_BUILD_EXAMPLES=ON -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_WITH_SDL2=OFF
cmake --build build-host -j "$jobs" --target vtlpack vtlsprite showcase-assetgen

# WebAssembly: one build, which has the SIMD path and the plain one.
[ -f build-web-bench/CMakeCache.txt ] ||
  emcmake cmake -S . -B build-web-bench "${launchers[@]}" -DCMAKE_BUILD_TYPE=Release -DVANTREL_WITH_SDL2=OFF \
    -DVANTREL_BUILD_TOOLS=OFF -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCHMARKS=ON \
    -DVANTREL_HOST_TOOLS="$PWD/build-host"
cmake --build build-web-bench -j "$jobs" --target vantrel-bench vantrel-bench-page
(mkdir -p build-web-bench/web-driver && cd build-web-bench/web-driver &&
  cp ../../tests/web/driver/package.json ../../tests/web/driver/package-lock.json . &&
  npm ci --no-audit --no-fund --ignore-scripts >/dev/null)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The machine is shared: the median of five repetitions of each.
options=(--benchmark_filter="$filter" --benchmark_min_time="$min_time" --benchmark_repetitions=5
  --benchmark_report_aggregates_only=true --benchmark_format=json)
VANTREL_VIDEO=headless VANTREL_AUDIO=headless build/bench/vantrel-bench "${options[@]}" >"$out/native.json"
node build-web-bench/bench/vantrel-bench.js "${options[@]}" >"$out/node.json"
# The page runs the showcase frame and the blits.  The widening's benchmark
# times each call by itself, which a page's clock cannot (chromium gives a
# page without cross-origin isolation 100 us steps).
page_options=("${options[@]}")
page_options[0]="--benchmark_filter=^showcaseFrame/width:640/height:480/bits:16\$|^showcaseFrameOnPath/|^BM_Surface_BlendBltPath/|^BM_Surface_LutBltPath/|^BM_Rle_BltPath/"
query=$(printf '%s&' "${page_options[@]}" | sed 's/|/%7C/g; s/\^/%5E/g; s/\$/%24/g; s/&$//')
NODE_PATH=build-web-bench/web-driver/node_modules \
  node bench/web_page_bench.js build-web-bench "bench/vantrel-bench-page.html?$query" >"$out/chromium.json"

# name -> the median time of one iteration over the repetitions, in ns.
times() {
  jq -r '.benchmarks[] | select((.error_occurred | not) and .aggregate_name == "median") |
    "\(.run_name)\t\(.real_time * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[.time_unit])"' "$1"
}
times "$out/native.json" | sed 's/^/native\t/' >"$out/all.tsv"
times "$out/node.json" | sed 's/^/node\t/' >>"$out/all.tsv"
times "$out/chromium.json" | sed 's/^/chromium\t/' >>"$out/all.tsv"

# The code paths by argument: 0 plain, 1-3 x86 (SSE2, SSSE3, AVX2), 4
# WebAssembly SIMD; the widening counts 0 SSE2, 1 AVX2, 2 WebAssembly SIMD.
# A "vector" time is the fastest vector path the run had.
awk -F '\t' '
  function plain(name) { return name ~ /^showcaseFrameOnPath\// ? name ~ /\/path:0$/ : name ~ /\/0$/ }
  function family(name) { sub(/\/path:[0-9]+$/, "", name); sub(/\/[0-9]+$/, "", name); return name }
  {
    run = $1; name = $2; t = $3
    sub(/\/manual_time$/, "", name) # the widening times its calls itself
    if (name ~ /^showcaseFrame\//) { key = "showcase frame, the path chosen at start-up" }
    else {
      f = family(name)
      label = f
      sub(/^showcaseFrameOnPath.*/, "showcase frame", label)
      sub(/^BM_Surface_BlendBltPath$/, "BlendBlt", label)
      sub(/^BM_Surface_LutBltPath$/, "LutBlt", label)
      sub(/^BM_Rle_BltPath$/, "RLE BlendBlt", label)
      sub(/^BM_Present16Widen$/, "16-bit widening", label)
      if (f == "BM_Present16Widen") key = label ", vector"
      else key = label (plain(name) ? ", plain path" : ", vector path")
    }
    if (!(key in order)) { order[key] = ++rows; row[rows] = key }
    k = run SUBSEP key
    if (!(k in best) || t < best[k]) best[k] = t
  }
  function cell(run, key) { return (run SUBSEP key) in best ? best[run SUBSEP key] : "" }
  function ratio(a, b) { return (a == "" || b == "") ? sprintf("%10s", "-") : sprintf("%9.2fx", a / b) }
  function ms(t) { return t == "" ? sprintf("%10s", "-") : sprintf("%10.3f", t / 1e6) }
  END {
    printf "%-46s %10s %10s %10s %10s %10s\n", "benchmark (ms a call)", "native", "node", "chromium",
      "node/nat", "chrom/nat"
    for (i = 1; i <= rows; ++i) {
      key = row[i]; n = cell("native", key); o = cell("node", key); c = cell("chromium", key)
      printf "%-46s %s %s %s %s %s\n", key, ms(n), ms(o), ms(c), ratio(n, o), ratio(n, c)
    }
    print ""
    printf "%-46s %10s %10s %10s\n", "vector path over plain path (speed-up)", "native", "node", "chromium"
    for (i = 1; i <= rows; ++i) {
      key = row[i]
      if (key !~ /, plain path$/) continue
      v = key; sub(/, plain path$/, ", vector path", v)
      label = key; sub(/, plain path$/, "", label)
      printf "%-46s %s %s %s\n", label, ratio(cell("native", key), cell("native", v)),
        ratio(cell("node", key), cell("node", v)), ratio(cell("chromium", key), cell("chromium", v))
    }
  }' "$out/all.tsv"
echo
echo "x/nat: the native time over the other's (speed relative to native, 1.00x = as fast);"
echo "vector over plain: the plain path's time over the vector path's (native: AVX2, SSSE3 or SSE2,"
echo "whichever was fastest; web: WebAssembly SIMD)."
