#!/usr/bin/env bash
# Installs what the WebAssembly build needs, when any of it is missing:
# Debian's emscripten (compiler and prebuilt system libraries), chromium (the
# browser the web tests drive headless), node and npm (the unit tests run
# under node; npm installs the page driver from its lock file), the font
# packed into the pages, and a
# deb-src entry so the build can fetch the third-party libraries' Debian
# sources (emscripten's own ports are downloaded at build time, which the build
# must not depend on; Debian's emscripten has no FreeType).
# Needs root (or sudo) only when something has to be installed.
set -euo pipefail

packages=(
  emscripten                   # emcc, emcmake and the prebuilt system libraries
  chromium                     # runs the pages headless in the web tests
  fonts-dejavu-core            # the font packed into every page's data
  fonttools                    # pyftsubset cuts the fonts down to the ANSI code page
  dpkg-dev                     # dpkg-source unpacks the libraries' Debian sources
  python3                      # serves the pages (python3 -m http.server)
  sox libsox-fmt-base          # writes the Ogg and FLAC tracks of the CD page test
)
# node and npm: Debian's, unless the machine has its own (nodesource's node
# brings npm with it and conflicts with Debian's npm package).
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null; then
  run=(sudo)
else
  run=(false)
fi
export DEBIAN_FRONTEND=noninteractive
# Other package work on the machine may hold the lock for a while.
apt=(apt-get -o DPkg::Lock::Timeout=900)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

has_deb_src() {
  grep -rqsE '^[[:space:]]*(Types:.*deb-src|deb-src[[:space:]])' \
    /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null &&
    grep -rqsE 'bookworm' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

need_update=0
if ! has_deb_src; then
  echo "Adding a deb-src entry for bookworm (the web build cross-builds Debian's library sources)"
  "${run[@]}" tee /etc/apt/sources.list.d/vantrel-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  need_update=1
fi
if [ $need_update -eq 1 ]; then
  if [ "${run[*]}" = false ]; then
    echo "Missing packages (${missing[*]:-none}) or deb-src entry, and no root to install them." >&2
    exit 1
  fi
  # A mirror caught mid-sync fails one index; what did download still serves.
  "${run[@]}" "${apt[@]}" update -qq || echo "apt-get update reported errors; trying with what it fetched" >&2
fi
if [ ${#missing[@]} -gt 0 ]; then
  "${run[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

# emcc runs its JavaScript optimiser under node and needs the acorn module.
# Debian's node finds it in /usr/share/nodejs by itself; any other node (for
# example from nodesource) only through NODE_PATH, which the web build sets.
if ! NODE_PATH=/usr/share/nodejs node -e 'require("acorn")' 2>/dev/null; then
  echo "node cannot load acorn from /usr/share/nodejs; install Debian's node-acorn" >&2
  exit 1
fi
