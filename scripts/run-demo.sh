#!/usr/bin/env bash
# Builds Vantrel and runs its main example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vantrel-palette-ramps
build/examples/palette_ramps/vantrel-palette-ramps build/palette-ramps "$@"
