#!/usr/bin/env bash
# Installs the Debian packages Vantrel needs to build, test and run, when any
# is missing.  Needs root (or sudo) only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  ccache                       # repeated test runs rebuild only what changed
  sox                          # measures what the SDL audio test captured
  clang libclang-rt-14-dev     # libFuzzer targets
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libpng-dev
  libsdl2-image-dev liblcms2-dev   # the tools read every common picture format and honour colour profiles
  libx11-dev                   # the SDL backend catches Xlib's errors itself
  libpixman-1-dev              # a peer in the benchmarks
  xvfb xauth                   # real windows in the end-to-end tests
  xdotool                      # real input in the end-to-end tests
  imagemagick x11-apps         # screenshots in the end-to-end tests; the tools' picture variants
  libfreetype-dev libfontconfig-dev fonts-dejavu-core   # GDI text
  libsndfile1-dev              # FLAC, Ogg and MP3 CD tracks
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null; then
  run=(sudo)
else
  echo "Missing packages (${missing[*]}) and no root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
