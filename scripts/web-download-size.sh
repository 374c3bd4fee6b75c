#!/usr/bin/env bash
# The download a page costs a player: its .html, .js, .wasm and .data, each
# as it is and gzip-compressed (as a web host serves them), and the totals.
#   scripts/web-download-size.sh build-web/examples/showcase/showcase.html
set -euo pipefail
page=${1:?usage: web-download-size.sh PAGE.html}
base=${page%.html}
total=0 packed=0
for f in "$base".html "$base".js "$base".wasm "$base".data; do
  [ -f "$f" ] || continue
  size=$(stat -c %s "$f")
  gz=$(gzip -9 -c "$f" | wc -c)
  printf '%-40s %10d bytes %10d gzip\n' "$(basename "$f")" "$size" "$gz"
  total=$((total + size)) packed=$((packed + gz))
done
printf '%-40s %10d bytes %10d gzip (%.2f MB)\n' total "$total" "$packed" "$(echo "$packed / 1048576" | bc -l)"
