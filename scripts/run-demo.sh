#!/usr/bin/env bash
# Builds Vantrel and runs its example game loop: a window (F2 or Enter
# switches to full screen and back, Escape quits).  Without a display it runs
# headless for a few seconds and writes its last frame as a BMP.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vantrel-display-loop
exec build/examples/display_loop/vantrel-display-loop --bmp build/display-loop.bmp "$@"
