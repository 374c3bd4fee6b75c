#!/usr/bin/env bash
# Two demos on one machine play each other over UDP on loopback: one hosts,
# the other joins; each must see the other's hero and its datagrams.
set -uo pipefail
here=$(dirname "$0")
. "$here/common.sh"
need_display
demo=$1
work=$2/two_players
rm -rf "$work" && mkdir -p "$work" && cd "$work"
port=$((20000 + $$ % 20000))

VANTREL_VIDEO=sdl VANTREL_AUDIO=headless "$demo" --window --auto --frames 200 --host $port >host.txt 2>&1 &
host=$!
trap 'kill $host $guest 2>/dev/null' EXIT
sleep 1
VANTREL_VIDEO=sdl VANTREL_AUDIO=headless "$demo" --window --auto --frames 150 --join 127.0.0.1:$port >guest.txt 2>&1 &
guest=$!
wait $guest; guest_code=$?
wait $host; host_code=$?
trap - EXIT
echo "--- host"; cat host.txt; echo "--- guest"; cat guest.txt
[ $host_code -eq 0 ] && [ $guest_code -eq 0 ] || fail "exit codes $host_code and $guest_code"
# Whoever ends first may already count as gone to the other.
grep -qE "network: player 2 (joined from 127.0.0.1|left)$" host.txt || fail "the host did not see the join"
grep -qE "network: (joined 127.0.0.1|player 1 left)$" guest.txt || fail "the guest did not join"
for side in host guest; do
  packets=$(sed -nE 's/.* ([0-9]+) datagrams from the other player.*/\1/p' $side.txt)
  [ "${packets:-0}" -gt 20 ] || fail "the $side got only ${packets:-0} datagrams"
done
echo "two players: ok"
