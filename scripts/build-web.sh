#!/usr/bin/env bash
# scripts/build-web.sh [BUILD_FOLDER]
# Builds the demo's page (vantrel-demo.html) with Debian's emscripten and
# says how to serve it.  The demo's data are made by the library's own
# tools, which run on this machine: they come from a native build
# (build-host/, only the tools) made first.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build-web}
host=$source_dir/build-host
# Debian's emcc finds its acorn module through NODE_PATH when node is not
# Debian's own.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$source_dir" -B "$host" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF \
  -DVANTREL_BUILD_EXAMPLES=ON -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_WITH_SDL2=OFF "${launcher[@]}"
cmake --build "$host" -j2 --target vtlpack vtlsprite showcase-assetgen

emcmake cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TOOLS=OFF \
  -DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_HOST_TOOLS="$host" "${launcher[@]}"
cmake --build "$build" -j2 --target vantrel-demo

page=$build/examples/showcase
echo
echo "The demo's page is $page/vantrel-demo.html.  Serve it with"
echo "  python3 -m http.server 8000 --bind 127.0.0.1 --directory $page"
echo "and open http://127.0.0.1:8000/vantrel-demo.html"
