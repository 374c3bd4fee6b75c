# The display under Wine on the X screen: a known frame (see
# display_frame.cpp) full screen at the screen's own size in 8, 16 and 32
# bits, full screen at 640x480, and in a 320x240 window, each checked on a
# screenshot of the X root window (ImageMagick's import).
#
#   display_frame.sh WINE DLL_DIR DISPLAY_FRAME WORK_DIR
#
# Full screen changes the real display mode through DirectDraw.  Xvfb's
# RandR offers its screen's size alone, so Wine can set that size (at any
# depth: Wine converts to the X screen's) but no other: 640x480 ends in
# gfxBegin's documented failure, -1, with the display released (32-bit Wine
# also refuses depths other than the screen's own).  Should the
# X server offer the mode, the frame must fill the screen as in the other
# full-screen cases.
#
# Checked on the screenshot: the inside of each box (1 % of the screen's
# size in from its edges, for the scaled case) is one colour and the box's
# own; the black between the boxes; the yellow text (at least 0.2 % of the
# text band's pixels yellow, within 20 %).  In a window the frame lies
# where the window's client area is.
set -u
wine=$1
dll_dir=$2
program=$3
work=$4
source "$(dirname "$0")/common.sh"
command -v import >/dev/null || { echo "SKIP: no ImageMagick"; exit 77; }

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

import -window root screen.png || fail "cannot take a screenshot"
read -r screen_w screen_h <<<"$(identify -format '%w %h' screen.png)"
echo "X screen: ${screen_w}x${screen_h}"

# show NAME ARGS...: runs the program until it has shown its frame, takes a
# screenshot into NAME.png and lets the program end.  The program's output
# is in NAME.out.
show() {
  local name=$1
  shift
  rm -f done
  wine_run 60 "$program" "$@" >"$name.out" 2>&1 &
  local pid=$!
  for _ in $(seq 300); do
    grep -q "^shown\|^gfxBegin -1" "$name.out" && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  # The last frames reach the X server while the screenshot waits a moment.
  grep -q "^shown" "$name.out" && sleep 1 && import -window root "$name.png"
  touch done
  wait $pid
  local status=$?
  sed -i 's/\r$//' "$name.out" # Windows line ends
  echo "--- $name: $*"
  cat "$name.out"
  [ $status -eq 0 ] || fail "$name: the program failed ($status)"
}

# region_is IMAGE X Y W H HEX: every pixel of the region is HEX.
region_is() {
  local got
  got=$(convert "$1" -crop "$4x$5+$2+$3" +repage -format '%k %[hex:u.p{0,0}]' info:)
  [ "$got" = "1 $6" ] || fail "$1: ($2,$3) ${4}x$5 should be all $6, holds: $got (colour count, first)"
}

# frame_is IMAGE LEFT TOP W H [NOTEXT]: the frame, shown at W x H from
# LEFT,TOP; with NOTEXT the text is not looked for.
frame_is() {
  local image=$1 left=$2 top=$3 w=$4 h=$5 notext=${6:-}
  local qw=$((w / 2)) qh=$((h / 2)) mx=$((w / 16)) my=$((h / 16))
  local inset=$(((screen_w + 99) / 100))
  local colours=(FF0000 00FF00 0000FF FFFFFF)
  for q in 0 1 2 3; do
    local x=$((left + (q % 2) * qw + mx + inset)) y=$((top + (q / 2) * qh + my + inset))
    region_is "$image" $x $y $((qw - 2 * mx - 2 * inset)) $((qh - 2 * my - 2 * inset)) "${colours[q]}"
  done
  # Black above the boxes, and between the two columns.
  region_is "$image" $left $top $w $((my - inset)) 000000
  region_is "$image" $((left + qw - mx + inset)) $((top + my)) $((2 * mx - 2 * inset)) $((qh - 2 * my)) 000000
  [ -n "$notext" ] && return
  local band_top=$((top + qh - my + inset)) band_h=$((2 * my - 2 * inset))
  local yellow
  yellow=$(convert "$image" -crop "${w}x$band_h+$left+$band_top" +repage -fuzz 20% -fill white -opaque '#FFFF00' \
    -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
  [ "$yellow" -ge $((w * band_h / 500)) ] || fail "$image: the text is missing ($yellow yellow pixels)"
}

for depth in 8 16 32; do
  show full$depth full "$screen_w" "$screen_h" $depth
  # 32-bit Wine offers the X screen's own depth alone: asked for another,
  # its ChangeDisplaySettings says DISP_CHANGE_BADMODE, and gfxBegin gives
  # its documented failure.  The screen's own depth must always start.
  if [ $depth != 32 ] && grep -q "^gfxBegin -1" full$depth.out; then
    echo "$depth bits: no such mode under this Wine; gfxBegin returned -1 and released the display"
    continue
  fi
  grep -q "^gfxBegin 1" full$depth.out || fail "full screen at the screen's size, $depth bits, did not start"
  grep -q "^depth $depth\$" full$depth.out || fail "full screen runs at another depth than $depth"
  # 32-bit Wine without OpenGL (wine32 does not bring the 32-bit OpenGL
  # libraries) flips to a surface without what GDI drew on it; the same
  # frame in a window, and 64-bit Wine full screen, show the text.
  notext=
  if grep -q "^program bits 32" full$depth.out && ! ldconfig -p | grep -q "libGL.so.1.*i386\|libGL.so.1 (libc6)"; then
    echo "$depth bits: 32-bit Wine without OpenGL, the text drawn through GDI is not looked for full screen"
    notext=1
  fi
  frame_is full$depth.png 0 0 "$screen_w" "$screen_h" $notext
done

show other-size full 640 480 32
if grep -q "^gfxBegin -1" other-size.out; then
  echo "640x480: no such mode on this X server; gfxBegin returned -1 and released the display"
else
  grep -q "^gfxBegin 1" other-size.out || fail "640x480: gfxBegin returned neither 1 nor -1"
  read -r shot_w shot_h <<<"$(identify -format '%w %h' other-size.png)"
  frame_is other-size.png 0 0 "$shot_w" "$shot_h"
fi

show window window 320 240
read -r client_x client_y <<<"$(awk '/^client/ { print $2, $3 }' window.out)"
[ -n "$client_x" ] || fail "the window's client area was not reported"
frame_is window.png "$client_x" "$client_y" 320 240
echo "PASS"
