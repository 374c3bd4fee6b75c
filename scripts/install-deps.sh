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
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix   # the Windows builds
  binutils-mingw-w64-x86-64    # windres compiles games' resource scripts on every system
  googletest                   # GoogleTest's sources, built for the Windows tests
  wine wine64                  # runs the Windows tests
)
# Wine's 32-bit half, for the 32-bit Windows tests: from the i386
# architecture, which a mirror may fail to serve.  Without it the 32-bit
# tests are built and not run (scripts/test-windows.sh says so), so a failure
# here only warns.
optional_i386=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
missing_i386=()
for p in "${optional_i386[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing_i386+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_i386[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null; then
  run=(sudo)
elif [ ${#missing[@]} -eq 0 ]; then
  echo "Not installed (optional, no root to install it): ${missing_i386[*]}" >&2
  exit 0
else
  echo "Missing packages (${missing[*]}) and no root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${run[@]}" apt-get update -qq || echo "warning: apt-get update reported errors; installing from the indexes it has" >&2
  "${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_i386[@]} -gt 0 ]; then
  echo "Installing: ${missing_i386[*]}"
  if ! { "${run[@]}" dpkg --add-architecture i386 &&
         "${run[@]}" apt-get update -qq &&
         "${run[@]}" apt-get install -y -qq --no-install-recommends "${missing_i386[@]}"; }; then
    echo "warning: could not install ${missing_i386[*]}; the 32-bit Windows tests will be built but not run" >&2
  fi
fi
