#!/usr/bin/env bash
# The demo closed from outside while it plays, each time ending as Escape
# ends it (exit code 0, its summary) with nothing but its opening line on
# standard error:
#  - SIGTERM (as Ctrl-C or a session ending): its window gets WM_CLOSE;
#  - its X window destroyed by another client (xdotool windowclose), which
#    it takes as the player closing it.
set -uo pipefail
here=$(dirname "$0")
. "$here/common.sh"
need_display
demo=$1
work=$2/closed_from_outside
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# Starts the demo, lets it play, closes it with the command given ($pid and
# $win are set for it) and checks how it ended.
close_with() {
  local how=$1
  VANTREL_AUDIO=headless VANTREL_VIDEO=sdl "$demo" --window >out.txt 2>err.txt &
  pid=$!
  trap 'kill $pid 2>/dev/null' EXIT
  win=$(wait_window $pid) || { cat out.txt err.txt; fail "the demo's window did not appear"; }
  sleep 1.5
  eval "$how"
  local code=
  for _ in $(seq 50); do
    if ! kill -0 $pid 2>/dev/null; then wait $pid; code=$?; break; fi
    sleep 0.1
  done
  trap - EXIT
  if [ -z "$code" ]; then
    kill -KILL $pid 2>/dev/null
    cat out.txt err.txt
    fail "$how: the demo was still running 5 s later"
  fi
  [ $code -eq 0 ] || { cat out.txt err.txt; fail "$how: exit code $code"; }
  grep -q "frames, hero moved" out.txt || { cat out.txt err.txt; fail "$how: no summary"; }
  others=$(grep -v "^FastFileInit: opened resource" err.txt)
  [ -z "$others" ] || fail "$how: standard error says: $others"
  echo "$how: ok"
}

close_with 'kill -TERM $pid'
close_with 'xdotool windowclose $win'
