#!/usr/bin/env bash
# Runs the benchmarks that compare this library with a peer doing the same
# work, once, and writes their ratios to docs/performance.md.  Each ratio is
# the peer's time over ours, both timed in the same loop of the same run
# (bench/peer_compare.h): above 1 this library is faster, below 1 slower.
#
#   scripts/bench-report.sh [build directory]     (default: build)
#
# The build directory must hold a release build of vantrel-bench, with SDL2
# found (the peers), e.g. the one scripts/test.sh makes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/vantrel-bench"
out=docs/performance.md
[ -x "$bench" ] || { echo "no $bench: build the target vantrel-bench first" >&2; exit 1; }
command -v jq >/dev/null || { echo "jq is needed to read the results" >&2; exit 1; }

json=$(mktemp)
trap 'rm -f "$json"' EXIT
filter='BM_Rle_|BM_Surface_(LutBlt|ScaledBlt|TransBlt|BlendBlt|AlphaBlt)|showcaseFrame/width:800/height:600/bits:16'
VANTREL_VIDEO=headless VANTREL_AUDIO=headless "$bench" --benchmark_filter="$filter" \
  --benchmark_min_time="${BENCH_MIN_TIME:-0.5}" --benchmark_format=json >"$json"

{
  echo "# Performance against peers"
  echo
  echo "Written by \`scripts/bench-report.sh\` from one run of \`vantrel-bench\`; do not edit by hand."
  echo
  jq -r '"Run on \(.context.host_name), \(.context.num_cpus) × \(.context.mhz_per_cpu) MHz, " +
         "load average \(.context.load_avg | map(. * 100 | round / 100) | join(", ")), \(.context.date)."' "$json"
  echo
  echo "Ratio: the peer's time over this library's for the same frame, both timed in the same loop"
  echo "(above 1: this library is faster).  RLE rows draw 1,000 64 × 64 sprites into 640 × 480 5-6-5;"
  echo "argument 0 is hard-edged sprites, 1 the same with a two-pixel ring of level pixels."
  echo
  echo "| Benchmark | Peer | Ratio | This library |"
  echo "|---|---|---:|---:|"
  jq -r '.benchmarks[] | select(.run_type == "iteration") | . as $b
         | to_entries[] | select(.key | startswith("vs_"))
         | "| \($b.name | sub("/manual_time$"; "")) | \(.key | ltrimstr("vs_")) | \(.value * 100 | round / 100) | " +
           "\(($b.items_per_second / 1e6) * 100 | round / 100) M items/s |"' "$json"
  echo
  echo "Code paths (items per second, same run): argument 0 is the plain path, 1 SSE2, 2 SSSE3, 3 AVX2,"
  echo "each forced with \`vtl::testing::codepath::force\` (<vantrel/seam/code_path_testing.h>)."
  echo
  echo "| Benchmark | Items/s |"
  echo "|---|---:|"
  jq -r '.benchmarks[] | select(.name | test("Path/")) | select(.error_occurred != true)
         | "| \(.name) | \((.items_per_second / 1e6) * 100 | round / 100) M |"' "$json"
  echo
  echo "Showcase frame (headless, full screen):"
  echo
  jq -r '.benchmarks[] | select(.name | startswith("showcaseFrame")) | select(.error_occurred != true)
         | "- \(.name): \(.fps | round) frames/s"' "$json"
} >"$out"
echo "wrote $out"
