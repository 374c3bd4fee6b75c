# Helpers of the end-to-end scripts: the display, the demo's window and
# pictures of it.
need_display() {
  if [ -z "${DISPLAY:-}" ] || ! xdotool getmouselocation >/dev/null 2>&1; then
    echo "no X display: skipped"
    exit 77
  fi
}

fail() { echo "FAIL: $*"; exit 1; }

# The id of the first window of process $1 named "Vantrel demo".
wait_window() {
  local pid=$1 id
  for _ in $(seq 600); do # up to 60 s on a loaded, shared machine
    id=$(xdotool search --onlyvisible --pid "$pid" --name "Vantrel demo" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# A picture of the window's client area.
shoot() { import -window "$1" "$2" 2>/dev/null || fail "cannot take a screenshot"; }

# Mean brightness 0..1, colour count, and how different two pictures are.
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
colours() { identify -format '%k' "$1"; }
difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
