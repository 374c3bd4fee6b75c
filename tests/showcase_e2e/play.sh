#!/usr/bin/env bash
# A player at the keyboard and mouse: the demo opens in a window, the hero
# walks right (the map scrolls), fires with Space and with a click, the menu
# opens with its image button and closes with Resume, and Escape quits with
# exit code 0.  The sound the game made goes through SDL's disk driver into a
# file that must not be silent.
set -uo pipefail
here=$(dirname "$0")
. "$here/common.sh"
need_display
demo=$1
work=$2/play
rm -rf "$work" && mkdir -p "$work" && cd "$work"

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=sound.raw VANTREL_AUDIO=sdl VANTREL_VIDEO=sdl \
  "$demo" --window >out.txt 2>err.txt &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
win=$(wait_window $pid) || { cat out.txt err.txt; fail "the demo's window did not appear"; }
sleep 2.5 # past the title
shoot "$win" start.png

xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool keydown --window "$win" Right; sleep 1.5; xdotool keyup --window "$win" Right
xdotool keydown --window "$win" Down; sleep 0.6; xdotool keyup --window "$win" Down
for _ in 1 2 3; do xdotool key --window "$win" space; sleep 0.25; done
xdotool mousemove --window "$win" 500 300 click 1
sleep 0.5
shoot "$win" moved.png

# The menu button is the round image at the top right (40 x 40 at 592, 8).
xdotool mousemove --window "$win" 612 28 click 1
sleep 0.8
shoot "$win" menu.png
# Resume is the first of the menu's buttons, at (230, 130).
xdotool mousemove --window "$win" 250 150 click 1
sleep 0.8
shoot "$win" resumed.png

# Escape quits; on a slow machine an Escape can land while a menu is still
# open (and close it instead), so it is pressed again until the demo ends,
# and a demo that will not end fails the test instead of hanging it.
code=
for _ in 1 2 3 4 5; do
  xdotool key --window "$win" Escape 2>/dev/null
  for _ in $(seq 30); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 $pid 2>/dev/null; then wait $pid; code=$?; break; fi
done
if [ -z "$code" ]; then
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  trap - EXIT
  cat out.txt err.txt
  fail "the demo did not end on Escape"
fi
trap - EXIT
cat out.txt err.txt
[ $code -eq 0 ] || fail "Escape ended the demo with exit code $code"

summary=$(grep "frames, hero moved" out.txt) || fail "no summary"
read -r x0 y0 x1 y1 <<<"$(sed -E 's/.*from ([0-9]+),([0-9]+) to ([0-9]+),([0-9]+).*/\1 \2 \3 \4/' <<<"$summary")"
[ "$x1" -gt $((x0 + 60)) ] || fail "the hero did not walk right ($x0 -> $x1)"
[ "$y1" -gt "$y0" ] || fail "the hero did not walk down ($y0 -> $y1)"
shots=$(sed -E 's/.* ([0-9]+) shots.*/\1/' <<<"$summary")
[ "$shots" -ge 2 ] || fail "only $shots shots from Space and the click"
grep -q "menu opened 1 times" <<<"$summary" || fail "the menu button did not open the menu"

d=$(difference start.png moved.png)
above "$d" 0.08 || fail "the map did not scroll (difference $d)"
c=$(colours moved.png)
[ "$c" -gt 2000 ] || fail "only $c colours: light, fog and blends are missing"
bm=$(brightness menu.png); bg=$(brightness moved.png); br=$(brightness resumed.png)
above "$bg" "$(awk -v m="$bm" 'BEGIN { print m * 1.4 }')" || fail "the menu did not darken the game ($bg vs $bm)"
above "$br" "$(awk -v m="$bm" 'BEGIN { print m * 1.4 }')" || fail "Resume did not close the menu ($br vs $bm)"

stats=$(sox -t raw -r 44100 -e signed-integer -b 16 -c 2 sound.raw -n stat 2>&1)
rms=$(awk -F: '/^RMS +amplitude/ {print $2}' <<<"$stats")
peak=$(awk -F: '/^Maximum amplitude/ {print $2}' <<<"$stats")
echo "sound: rms $rms, peak $peak"
above "$rms" 0.01 || fail "the captured sound is silent (rms $rms)"
above "$peak" 0.1 || fail "no effect or music reached the sound device (peak $peak)"
echo "play: ok"
