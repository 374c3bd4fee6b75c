#!/usr/bin/env bash
# Builds Vantrel and runs its showcase game, vantrel-demo.  On a desktop it
# opens the game (the configuration dialog first; arguments such as --window
# are passed on).  Without a display it plays an automatic run headless and
# writes the last frame to build/vantrel-demo.bmp.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vantrel-demo
demo=build/examples/showcase/vantrel-demo
if [ "${VANTREL_VIDEO:-}" = headless ] || { [ -z "${VANTREL_VIDEO:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
  "$demo" --frames 300 --screenshot build/vantrel-demo.bmp "$@"
  echo "The last frame of the automatic run is in $(pwd)/build/vantrel-demo.bmp"
else
  exec "$demo" "$@"
fi
