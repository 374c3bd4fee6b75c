#!/usr/bin/env bash
# The README's run command on a machine without a display: an automatic run
# on the headless backend writes its last frame, and says nothing but its
# summary line (the library's own line on opening the archive aside).  Also:
# what the command line refuses, and a --data archive that is not there.
set -uo pipefail
demo=$1
work=$2/headless
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

env -u DISPLAY -u WAYLAND_DISPLAY VANTREL_AUDIO=headless "$demo" --frames 60 --screenshot last.bmp >out.txt 2>err.txt
code=$?
cat out.txt err.txt
[ $code -eq 0 ] || fail "headless run exited with $code"
[ "$(wc -l <out.txt)" -eq 1 ] && grep -q "^vantrel-demo: 60 frames, " out.txt ||
  fail "standard output is not the one summary line of a 60-frame run"
others=$(grep -v "^FastFileInit: opened resource: " err.txt)
[ -z "$others" ] || fail "the demo wrote to standard error: $others"
[ -f last.bmp ] || fail "the last frame was not written"
[ "$(identify -format '%w %h' last.bmp)" = "640 480" ] || fail "last.bmp is not a 640 x 480 picture"
colours=$(identify -format '%k' last.bmp)
[ "$colours" -gt 1000 ] || fail "last.bmp has only $colours colours: the scene is missing"

# The same frame as a TGA in the display's depth, written by the library.
env -u DISPLAY -u WAYLAND_DISPLAY VANTREL_AUDIO=headless "$demo" --frames 10 --screenshot last.tga >out.txt 2>err.txt
[ $? -eq 0 ] || fail "the run with a TGA screenshot failed: $(cat err.txt)"
[ "$(identify -format '%w %h' last.tga)" = "640 480" ] || fail "last.tga is not a 640 x 480 picture"
colours=$(identify -format '%k' last.tga)
[ "$colours" -gt 1000 ] || fail "last.tga has only $colours colours: the scene is missing"

# Not asked for a screenshot, a run writes nothing.
mkdir quiet && (cd quiet && env -u DISPLAY -u WAYLAND_DISPLAY VANTREL_AUDIO=headless "$demo" --frames 5 >/dev/null 2>&1)
[ -z "$(ls -A quiet)" ] || fail "a run without --screenshot wrote $(ls -A quiet)"

VANTREL_VIDEO=headless "$demo" --frames 5 --bogus >/dev/null 2>err.txt
[ $? -eq 2 ] || fail "an unknown option does not give exit code 2"
grep -q "unknown option --bogus" err.txt || fail "no word of the unknown option"
VANTREL_VIDEO=headless "$demo" --join nowhere >/dev/null 2>err.txt
[ $? -eq 2 ] || fail "--join without a port is not refused"

VANTREL_VIDEO=headless VANTREL_AUDIO=headless "$demo" --frames 5 --window --data missing.vtl >/dev/null 2>err.txt
[ $? -eq 1 ] || fail "a missing --data archive does not fail"
grep -q "cannot open the archive missing.vtl" err.txt || fail "no word of the missing archive"
echo "headless run: ok"
