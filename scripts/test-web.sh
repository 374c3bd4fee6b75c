#!/usr/bin/env bash
# The web build's stage of the test command: builds the library, its pages
# and its unit tests for WebAssembly (build-web), installs the page driver
# (puppeteer-core, pinned by tests/web/driver/package-lock.json, which drives
# Debian's chromium and downloads no browser), serves the build folder on
# 127.0.0.1 and runs the web build's tests: the unit tests under node, the
# pages in headless chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-web-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
# emcc's JavaScript tools need node's acorn; Debian's node finds it alone.
export NODE_PATH=/usr/share/nodejs

# emcc goes through ccache like every other compiler of the test command.
launchers=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
  export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# The examples' data are made by the library's tools, which run on this
# machine: the native build of the test command (build, configured as
# scripts/test.sh configures it, so that a whole test run builds it once)
# makes them, and its demo and port, run headless, are what the demo's and
# the port's pages are compared with.
cmake -S . -B build "${launchers[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON
cmake --build build -j "$jobs" --target vtlpack vtlsprite showcase-assetgen vantrel-demo mazerun

# The pages take keys, clicks and sound through the SDL backend (built from
# Debian's source into the library cache the first time, a few minutes).
emcmake cmake -S . -B build-web "${launchers[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_BUILD_TOOLS=OFF -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_HOST_TOOLS="$PWD/build"
cmake --build build-web -j "$jobs"

# The driver, exactly as locked, into the build folder (the tests find it
# through NODE_PATH, which ctest gives them).
(cd build-web/web-driver && npm ci --no-audit --no-fund --ignore-scripts)

# One static server for every page test.
server_log=$(mktemp)
python3 -u -m http.server 0 --bind 127.0.0.1 --directory build-web >"$server_log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; rm -f "$server_log"' EXIT
port=
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$server_log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the static server did not start" >&2; cat "$server_log" >&2; exit 1; }
export VANTREL_WEB_URL="http://127.0.0.1:$port/"

# The pages share the machine's two cores with the browser: one at a time.
ctest --test-dir build-web --output-on-failure -j 1
