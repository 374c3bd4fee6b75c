#!/usr/bin/env bash
# Runs the player on SDL's disk driver and checks the captured sound with
# sox: about three seconds long, and louder than the effect alone (peak 0.5)
# where the music (peak 0.25) plays with it, without reaching full scale.
set -euo pipefail
player=$1
capture=$2
rm -f "$capture"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$capture" VANTREL_AUDIO=sdl "$player"
stats=$(sox -t raw -r 44100 -e signed-integer -b 16 -c 2 "$capture" -n stat 2>&1)
echo "$stats"
length=$(awk -F: '/^Length/ {print $2}' <<<"$stats")
maximum=$(awk -F: '/^Maximum amplitude/ {print $2}' <<<"$stats")
rms=$(awk -F: '/^RMS +amplitude/ {print $2}' <<<"$stats")
awk -v l="$length" -v m="$maximum" -v r="$rms" 'BEGIN {
  ok = 1
  if (l < 2.5 || l > 6) { print "length " l " s is not about three seconds"; ok = 0 }
  if (m < 0.55 || m > 0.8) { print "peak " m " is not the two sounds together"; ok = 0 }
  if (r < 0.1) { print "rms " r " is too quiet"; ok = 0 }
  exit ok ? 0 : 1
}'
