#!/usr/bin/env bash
# Two players on the headless backend, over UDP on loopback.  A guest whose
# host is not there waits for it instead of saying it joined.  Once joined,
# each draws the other's hero washed in violet (never mistaken for a red
# wisp); when the guest quits, the host gives it up after the --silence
# time and takes its hero off the map.
set -uo pipefail
demo=$1
work=$2/partner_presence
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
export VANTREL_VIDEO=headless VANTREL_AUDIO=headless
port=$((20000 + $$ % 20000))

"$demo" --window --idle --frames 60 --join 127.0.0.1:$port >alone.txt 2>&1 || { cat alone.txt; fail "the lone guest failed"; }
cat alone.txt
grep -q "network: waiting for 127.0.0.1$" alone.txt || fail "a guest without a host does not wait for it"

# Both stand still: the host's hero at 576,416 and the guest's two cells to
# its right, each in the middle of its own view.
"$demo" --window --idle --frames 800 --silence 1 --host $port --screenshot host.bmp >host.txt 2>&1 &
host=$!
trap 'kill $host 2>/dev/null' EXIT
sleep 0.5
"$demo" --window --idle --frames 150 --join 127.0.0.1:$port --screenshot guest.bmp >guest.txt 2>&1
guest_code=$?
wait $host
host_code=$?
trap - EXIT
echo "--- host"; cat host.txt; echo "--- guest"; cat guest.txt
[ $host_code -eq 0 ] && [ $guest_code -eq 0 ] || fail "exit codes $host_code and $guest_code"
grep -q "network: joined 127.0.0.1$" guest.txt || fail "the guest did not hear its host"
packets=$(sed -nE 's/.* ([0-9]+) datagrams from the other player.*/\1/p' host.txt)
[ "${packets:-0}" -gt 20 ] || fail "the host got only ${packets:-0} datagrams"
grep -q "network: player 2 left$" host.txt || fail "the host did not notice that player 2 left"

# How many pixels of the 32 x 32 hero box at x,y are violet, and how many
# red (the wisps' tint, and the other hero's before it was violet).
violet() { convert "$1" -crop 32x32+$2+$3 +repage -fx '(b > g + 0.08 && r > g) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:; }
red() { convert "$1" -crop 32x32+$2+$3 +repage -fx '(r > g + 0.15 && r > b + 0.15) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:; }
v=$(violet guest.bmp 240 224)
echo "the host's hero on the guest's screen: $v violet pixels"
[ "$v" -ge 40 ] || fail "the other player's hero is not washed in violet ($v violet pixels)"
v=$(violet host.bmp 368 224); r=$(red host.bmp 368 224)
echo "where the guest's hero stood, on the host's last frame: $v violet and $r red pixels"
[ "$v" -lt 5 ] && [ "$r" -lt 5 ] || fail "the hero of the player who left is still on the map"
echo "partner presence: ok"
