#!/usr/bin/env bash
# Two promises of the demo, checked on the headless backend:
# - a player who does nothing keeps every life through the first 20 seconds
#   (1000 ticks of 20 ms), and the wisps do come for them after that;
# - the busiest scene never clips: an automatic run (shots, hits and blasts
#   as fast as the machine draws) is recorded through VANTREL_AUDIO=wav:PATH
#   and sox must find its peak at or below -1 dBFS with no flat (clipped)
#   runs.
set -uo pipefail
demo=$1
work=$2/first_wave_and_mix
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
run() { VANTREL_VIDEO=headless "$demo" --window --screenshot last.bmp "$@"; }

lost() { sed -nE 's/.* ([0-9]+) lives lost.*/\1/p' "$1"; }

VANTREL_AUDIO=headless run --idle --frames 1000 >idle.txt 2>&1 || { cat idle.txt; fail "the idle run failed"; }
n=$(lost idle.txt)
[ "$n" = 0 ] || { cat idle.txt; fail "an idle player lost $n lives in the first 20 seconds"; }
VANTREL_AUDIO=headless run --idle --frames 2500 >idle_long.txt 2>&1 || { cat idle_long.txt; fail "the long idle run failed"; }
n=$(lost idle_long.txt)
[ -n "$n" ] && [ "$n" -ge 1 ] || { cat idle_long.txt; fail "after the calm start the wisps never reached an idle player"; }

VANTREL_AUDIO=wav:mix.wav run --auto --frames 1500 >auto.txt 2>&1 || { cat auto.txt; fail "the automatic run failed"; }
hits=$(sed -nE 's/.* ([0-9]+) hits.*/\1/p' auto.txt)
[ -n "$hits" ] && [ "$hits" -ge 3 ] || { cat auto.txt; fail "the automatic run hit only '$hits' wisps: not a busy scene"; }
stats=$(sox mix.wav -n stats 2>&1) || { echo "$stats"; fail "sox cannot read the recording"; }
echo "$stats"
peak=$(awk '/^Pk lev dB/ {print $4}' <<<"$stats")
flat=$(awk '/^Flat factor/ {print $3}' <<<"$stats")
rms=$(awk '/^RMS lev dB/ {print $4}' <<<"$stats")
awk -v p="$peak" 'BEGIN { exit !(p <= -1.0) }' || fail "the mix peaks at $peak dBFS (above -1)"
awk -v f="$flat" 'BEGIN { exit !(f == 0) }' || fail "the mix has clipped runs (flat factor $f)"
awk -v r="$rms" 'BEGIN { exit !(r > -50) }' || fail "the recording is nearly silent (RMS $rms dBFS)"
echo "first wave and mix: ok (peak $peak dBFS)"
