#!/usr/bin/env bash
# SIGTERM to a game in its message loop on a real window: its procedure gets
# WM_CLOSE and it exits 0 within 3 s; a game that ignores WM_CLOSE is ended by
# a second signal.
set -uo pipefail
program=$1
work=$2/signals
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; cat out.txt err.txt 2>/dev/null; exit 1; }
if [ -z "${DISPLAY:-}" ] || ! xdotool getmouselocation >/dev/null 2>&1; then
  echo "no X display: skipped"; exit 77
fi

# Starts the program and waits for its message loop.
start() {
  VANTREL_VIDEO=sdl VANTREL_AUDIO=headless "$program" "$@" >out.txt 2>err.txt &
  pid=$!
  for _ in $(seq 100); do
    grep -q ready out.txt && return 0
    sleep 0.1
  done
  fail "the program did not start"
}

# Seconds (to 0.1) until $pid is gone, at most 5; sets code.
wait_gone() {
  for i in $(seq 50); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"; code=$?; gone=$i; return 0
    fi
    sleep 0.1
  done
  gone=99
}

start
kill -TERM "$pid"
wait_gone
[ "$gone" -le 30 ] || { kill -KILL "$pid"; fail "still running 3 s after SIGTERM"; }
[ "$code" -eq 0 ] || fail "exit code $code after SIGTERM"
grep -q WM_CLOSE out.txt || fail "the window procedure never saw WM_CLOSE"
grep -q exiting out.txt || fail "the message loop did not end"

# (SIGTERM again: a shell starts background jobs with SIGINT ignored, and
# the library leaves an ignored signal ignored.)
start --ignore-close
kill -TERM "$pid"
for _ in $(seq 30); do grep -q WM_CLOSE out.txt && break; sleep 0.1; done
grep -q WM_CLOSE out.txt || { kill -KILL "$pid"; fail "no WM_CLOSE after SIGTERM"; }
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "a program ignoring WM_CLOSE ended on the first signal"
kill -TERM "$pid"
wait_gone
[ "$gone" -le 10 ] || { kill -KILL "$pid"; fail "a second SIGTERM did not end the program at once"; }
[ "$code" -eq 143 ] || fail "exit code $code after the second SIGTERM (128 + SIGTERM expected)"
echo "signals: ok"
