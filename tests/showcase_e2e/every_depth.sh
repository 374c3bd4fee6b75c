#!/usr/bin/env bash
# The demo at every depth its configuration dialog offers (full screen at 8,
# 16, 24 and 32 bits, and a window on a 5-6-5, a 32-bit and an 8-bit
# desktop), chosen through the dialog: the title, the sand edges, the fog
# and the panel are drawn at each, so no frame has a large black area and
# each looks like the 16-bit one.  Headless frames from the demo's own
# screenshot; then, when there is an X display, a real 32-bit window as X
# shows it, with and without the menu's shade, and full screen at 32 bits.
set -uo pipefail
here=$(dirname "$0")
. "$here/common.sh"
demo=$1
work=$2/every_depth
sdl=${3:-OFF} # whether the build has the SDL backend, the one with real windows
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# The number of 16 x 16 blocks of a 640 x 480 picture that are all but
# black (in all three colours: the title's dark blue is drawn).
black_blocks() {
  convert "$1" -filter box -resize 40x30! -fx 'max(r, max(g, b))' -threshold 4% -negate \
    -format '%[fx:round(mean*w*h)]' info:
}
# How far two pictures are apart once each is averaged in 16 x 16 blocks
# (0..1): dither and the depth's own rounding wash out, missing layers not.
block_difference() {
  convert "$1" "$2" -filter box -resize 40x30! miff:- | compare -metric RMSE - null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}

# The idle hero stands beside the first clearing, the title is still up.
# The depth the display took is that of the TGA screenshot (header byte 16).
frame() { # NAME DEPTH CONFIG [VAR=VALUE...]
  local name=$1 depth=$2 config=$3 file
  shift 3
  for file in "$name.bmp" "$name.tga"; do
    env -u DISPLAY -u WAYLAND_DISPLAY VANTREL_VIDEO=headless VANTREL_AUDIO=headless VANTREL_CONFIG="$config" "$@" \
      "$demo" --idle --frames 30 --screenshot "$file" >"$name.txt" 2>&1 || { cat "$name.txt"; fail "the $name run failed"; }
  done
  [ "$(od -An -tu1 -j16 -N1 "$name.tga" | tr -d ' ')" = "$depth" ] || fail "the dialog's answer did not give $name $depth bits"
}

for depth in 8 16 24 32; do
  frame full$depth $depth "driver=0,fullscreen=1,depth=$depth,effects=1"
done
frame window565 16 "driver=0,fullscreen=0,effects=1"
frame window32 32 "driver=0,fullscreen=0,effects=1" VANTREL_DESKTOP=rgb32
frame window8 8 "driver=0,fullscreen=0,effects=1" VANTREL_DESKTOP=pal8

for name in full8 full16 full24 full32 window565 window32 window8; do
  n=$(black_blocks "$name.bmp")
  echo "$name: $n black blocks, $(block_difference full16.bmp "$name.bmp") from the 16-bit frame"
  [ "$n" -eq 0 ] || fail "$name has $n black 16 x 16 blocks"
done
# A depth at which the fog, the title or the panel is missing is 0.11 to
# 0.19 away from the 16-bit frame; the same scene is within 0.03 (0.10 on
# the 3-3-2 palette).
for name in full24 full32 window565 window32; do
  d=$(block_difference full16.bmp "$name.bmp")
  above 0.06 "$d" || fail "$name differs from the 16-bit frame by $d: a layer is missing"
done
for name in full8 window8; do
  d=$(block_difference full16.bmp $name.bmp)
  above 0.14 "$d" || fail "$name differs from the 16-bit frame by $d: a layer is missing"
done

# A real window on a 32-bit desktop, as X shows it.
case $sdl in ON | TRUE | YES | 1) ;; *) echo "every depth: ok (no SDL backend: no real window)"; exit 0 ;; esac
if [ -z "${DISPLAY:-}" ] || ! xdotool getmouselocation >/dev/null 2>&1; then
  echo "every depth: ok (no X display: no real window)"
  exit 0
fi
# Each real run is long enough to outlast a loaded machine's wait for its
# window, and is ended by the test (a SIGTERM is a normal close) once the
# screenshots are taken.
VANTREL_VIDEO=sdl VANTREL_AUDIO=headless VANTREL_DESKTOP=rgb32 "$demo" --window --idle --frames 100000 >real.txt 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
win=$(wait_window $pid) || { cat real.txt; fail "the demo's window did not appear"; }
sleep 1
shoot "$win" real32.png
# The menu's shade is a scaled blit, too.
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key --window "$win" m
sleep 0.5
shoot "$win" menu32.png
kill -TERM $pid
wait $pid || { cat real.txt; fail "the real 32-bit window run failed"; }
trap - EXIT
[ "$(identify -format '%w %h' real32.png)" = "640 480" ] || fail "real32.png is not the 640 x 480 client area"
n=$(black_blocks real32.png)
echo "real 32-bit window: $n black blocks"
[ "$n" -eq 0 ] || fail "the real 32-bit window shows $n black 16 x 16 blocks"
bg=$(brightness real32.png); bm=$(brightness menu32.png)
echo "brightness without and with the menu: $bg, $bm"
above "$bg" "$(awk -v m="$bm" 'BEGIN { print m * 1.4 }')" || fail "the menu did not darken the game at 32 bits ($bg vs $bm)"

# Full screen at 32 bits through the dialog, as X shows it: the game's mode
# scaled to the screen between two black bars, which are cut off first.
VANTREL_VIDEO=sdl VANTREL_AUDIO=headless VANTREL_CONFIG="driver=0,fullscreen=1,depth=32,effects=1" \
  "$demo" --idle --frames 100000 >full.txt 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
wait_window $pid >/dev/null || { cat full.txt; fail "the demo's full-screen window did not appear"; }
sleep 1
import -window root screen.png 2>/dev/null || fail "cannot take a screenshot"
kill -TERM $pid
wait $pid || { cat full.txt; fail "the real 32-bit full-screen run failed"; }
trap - EXIT
convert screen.png -fuzz 2% -trim +repage -resize 640x480! full32.png
n=$(black_blocks full32.png)
echo "real 32-bit full screen: $n black blocks"
[ "$n" -eq 0 ] || fail "the real 32-bit full screen shows $n black 16 x 16 blocks"
echo "every depth: ok"
