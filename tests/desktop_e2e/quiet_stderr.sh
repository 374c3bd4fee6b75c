#!/usr/bin/env bash
# A run without a display, a sound device or a runtime directory: the video
# and sound are asked of SDL as on a player's machine, and standard error
# holds nothing but the library's Msg lines (each ends in "\r\n").  SDL is
# sent to ALSA, which on its own prints a dozen lines when no card is there.
set -uo pipefail
program=$1
work=$2/quiet
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; cat -A err.txt; exit 1; }

env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u VANTREL_VIDEO -u VANTREL_AUDIO \
  SDL_AUDIODRIVER=alsa "$program" >out.txt 2>err.txt &
pid=$!
for _ in $(seq 100); do grep -q ready out.txt && break; sleep 0.1; done
grep -q ready out.txt || fail "the program did not start"
kill -TERM "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "still running 5 s after SIGTERM"; }
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "exit code $code"
if grep -qv $'\r$' err.txt; then
  fail "standard error holds lines that are not Msg lines"
fi
echo "quiet standard error: ok ($(wc -l <err.txt) Msg lines)"
