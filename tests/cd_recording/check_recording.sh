#!/usr/bin/env bash
# Runs the player with the headless output recording to a WAV file, then
# checks the recording with sox: about three seconds long; while the track
# plays a 440 Hz tone at the level it was written with (RMS 0.354, peak 0.5);
# silent after its two seconds.
set -euo pipefail
player=$1
work=$2
recording=$work/cd_track.wav
rm -rf "$work/cdaudio" "$recording"
VANTREL_AUDIO="wav:$recording" "$player" "$work"

whole=$(sox "$recording" -n stat 2>&1)
# The left channel alone: sox's pitch estimate reads the channels as one.
playing=$(sox "$recording" -n remix 1 trim 0.3 1.4 stat 2>&1)
after=$(sox "$recording" -n trim 2.4 stat 2>&1)
echo "whole recording:"; echo "$whole"
echo "while the track plays:"; echo "$playing"
echo "after its end:"; echo "$after"
field() { awk -F: -v name="$1" '$1 ~ "^" name {gsub(/ /, "", $2); print $2}' <<<"$2"; }
length=$(field "Length" "$whole")
rms=$(field "RMS +amplitude" "$playing")
peak=$(field "Maximum amplitude" "$playing")
pitch=$(field "Rough +frequency" "$playing")
quiet=$(field "Maximum amplitude" "$after")
awk -v l="$length" -v r="$rms" -v p="$peak" -v f="$pitch" -v q="$quiet" 'BEGIN {
  ok = 1
  if (l < 2.8 || l > 4) { print "length " l " s is not about three seconds"; ok = 0 }
  if (r < 0.32 || r > 0.39) { print "rms " r " is not the 0.354 of the track"; ok = 0 }
  if (p < 0.45 || p > 0.56) { print "peak " p " is not the 0.5 of the track"; ok = 0 }
  if (f < 420 || f > 460) { print "pitch " f " Hz is not 440 Hz"; ok = 0 }
  if (q > 0.001) { print "sound after the track ended (peak " q ")"; ok = 0 }
  exit ok ? 0 : 1
}'
echo "cd ogg track recording: ok"
