# UDP on loopback between this build's peer, run under Wine, and the same
# program built for Linux: once with the Linux side hosting and the Windows
# side joining, once the other way round.  Both sides keep every datagram
# they sent and received; what one sent must be what the other received,
# byte for byte and in order, and the join datagram the host received must
# be the one the class's header describes.
#
#   udp_loopback.sh WINE DLL_DIR WINDOWS_PEER LINUX_BUILD_DIR WORK_DIR
#
# LINUX_BUILD_DIR is a Linux build of the project holding
# tests/windows_e2e/vantrel-udp-peer; without one the test skips.
set -u
wine=$1
dll_dir=$2
windows_peer=$3
linux_build=$4
work=$5
source "$(dirname "$0")/common.sh"

if [ -z "$linux_build" ]; then
  echo "SKIP: no Linux build given (VANTREL_LINUX_BUILD_DIR)"
  exit 77
fi
linux_peer=$linux_build/tests/windows_e2e/vantrel-udp-peer
[ -x "$linux_peer" ] || fail "no Linux UDP peer at $linux_peer: build the target vantrel-udp-peer there"

rm -rf "$work"
mkdir -p "$work"
count=20

# peer SIDE ARGS...: the peer of that side (linux or windows), with a minute
# to finish.
peer() {
  local side=$1
  shift
  if [ "$side" = windows ]; then
    wine_run 60 "$windows_peer" "$@"
  else
    VANTREL_VIDEO=headless VANTREL_AUDIO=headless timeout --kill-after=5 60 "$linux_peer" "$@"
  fi
}

# The join datagram for TEXT1 "-" TEXT2, as the host keeps it: its length
# (56) in four bytes, then 01 00 02 00, the two lengths, the texts joined by
# "-" with a zero after them, and zeros to the end.
expected_join() {
  local text1=$1 text2=$2
  local joined="$text1-$text2"
  printf '\x38\x00\x00\x00\x01\x00\x02\x00'
  printf "\\x$(printf %02x ${#text1})\\x$(printf %02x ${#text2})"
  printf '%s\0' "$joined"
  head -c $((56 - 6 - ${#joined} - 1)) /dev/zero
}

# exchange HOST_SIDE JOIN_SIDE PORT
exchange() {
  local host_side=$1 join_side=$2 port=$3
  local dir="$work/$host_side-hosts"
  mkdir -p "$dir"
  cd "$dir" || exit 1
  peer "$host_side" host "$port" $count >host.out 2>&1 &
  local host_pid=$!
  # Wine takes a while to start: the joiner goes once the host listens.
  for _ in $(seq 300); do
    grep -q ready host.out && break
    kill -0 $host_pid 2>/dev/null || break
    sleep 0.1
  done
  grep -q ready host.out || { kill $host_pid 2>/dev/null; cat host.out; fail "the $host_side host never got ready"; }
  peer "$join_side" join "$port" $count "$join_side" peer >join.out 2>&1
  local join_status=$?
  wait $host_pid
  local host_status=$?
  echo "--- $host_side hosts on $port, $join_side joins"
  cat host.out join.out
  [ $host_status -eq 0 ] || fail "the $host_side host failed ($host_status)"
  [ $join_status -eq 0 ] || fail "the $join_side joiner failed ($join_status)"
  grep -q "joined from 127.0.0.1" host.out || fail "the join did not come from 127.0.0.1"
  expected_join "$join_side" peer >expected-join.bin
  cmp expected-join.bin host-join.bin || fail "the $join_side join datagram differs from the one described"
  cmp host-sent.bin join-received.bin || fail "$host_side -> $join_side: the datagrams differ"
  cmp join-sent.bin host-received.bin || fail "$join_side -> $host_side: the datagrams differ"
  [ "$(stat -c %s host-sent.bin)" -gt $((count * 4)) ] || fail "no payload was sent"
}

exchange linux windows 39417
exchange windows linux 39427
echo "PASS"
