#!/usr/bin/env bash
# run_page.sh CHROMIUM FOLDER PAGE EXPECTED
# Serves FOLDER on 127.0.0.1, opens PAGE in headless chromium with the
# page's console on its log, and passes when a console line contains
# EXPECTED.  A screenshot of the page is left beside it (PAGE.png).
set -euo pipefail
chromium=$1 folder=$2 page=$3 expected=$4

profile=$(mktemp -d)
server_log=$(mktemp)
cleanup() {
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null
  rm -rf "$profile" "$server_log"
}
trap cleanup EXIT

# Port 0: the server picks a free port and says which.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$folder" >"$server_log" 2>&1 &
server=$!
port=
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$server_log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the static server did not start" >&2; cat "$server_log" >&2; exit 1; }

# Without a GPU, WebGL (which SDL's renderer draws with in a page) needs
# chromium's software rasteriser, which it no longer falls back to unasked.
log=$("$chromium" --headless --no-sandbox --disable-gpu --enable-unsafe-swiftshader --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
  --enable-logging=stderr --v=0 --virtual-time-budget=20000 --window-size=640,480 \
  --screenshot="$folder/$page.png" "http://127.0.0.1:$port/$page" 2>&1 || true)
echo "$log" | grep "CONSOLE" || { [ -n "${VANTREL_PAGE_LOG:-}" ] && echo "$log"; true; }
echo "$log" | grep -q "$expected"
