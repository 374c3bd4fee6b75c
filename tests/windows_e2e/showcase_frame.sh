# The showcase under Wine: an automatic run of a fixed number of frames in a
# window, against the same run of the Linux build on its headless backend
# with a 32-bit desktop (the depth a window gets on the 24-bit X screen
# under Wine).  The run is driven by frames alone, so both games end in the
# same state and draw the same scene:
#  - the summary lines are equal (the music's source aside, which depends on
#    each system's CD device);
#  - both last frames (the demo's own --screenshot) are 640 x 480;
#  - between the text at the top and the help line at the bottom (rows 48 to
#    447), drawn by the library alone, at most 0.5 % of the pixels differ by
#    more than 2 %;
#  - over the whole frame, where the texts come from each system's fonts,
#    the RMSE is at most 0.05.
#
#   showcase_frame.sh WINE DLL_DIR WINDOWS_DEMO LINUX_BUILD_DIR WORK_DIR
set -u
wine=$1
dll_dir=$2
windows_demo=$3
linux_build=$4
work=$5
source "$(dirname "$0")/common.sh"
command -v compare >/dev/null || { echo "SKIP: no ImageMagick"; exit 77; }

if [ -z "$linux_build" ]; then
  echo "SKIP: no Linux build given (VANTREL_LINUX_BUILD_DIR)"
  exit 77
fi
linux_demo=$linux_build/examples/showcase/vantrel-demo
[ -x "$linux_demo" ] || fail "no Linux demo at $linux_demo: build the target vantrel-demo there"

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
frames=120

env -u DISPLAY VANTREL_VIDEO=headless VANTREL_AUDIO=headless VANTREL_DESKTOP=rgb32 \
  timeout --kill-after=5 120 "$linux_demo" --window --frames $frames --screenshot linux.bmp >linux.out 2>linux.err ||
  fail "the Linux run failed: $(cat linux.err)"
wine_run 90 "$windows_demo" --window --frames $frames --screenshot windows.bmp >windows.out 2>windows.err
status=$?
sed -i 's/\r$//' windows.out windows.err # Windows line ends
cat linux.out windows.out
[ $status -eq 0 ] || fail "the Windows run failed ($status): $(cat windows.err)"

summary() { sed 's/, music: [^,]*//' "$1"; }
grep -q "^vantrel-demo: $frames frames, " windows.out || fail "no summary line of a $frames-frame run"
[ "$(summary linux.out)" = "$(summary windows.out)" ] || fail "the two runs ended in different states"

for shot in linux.bmp windows.bmp; do
  [ -f $shot ] || fail "$shot was not written"
  [ "$(identify -format '%w %h' $shot)" = "640 480" ] || fail "$shot is not 640 x 480"
done
for side in linux windows; do
  convert $side.bmp -crop 640x400+0+48 +repage $side-scene.png || fail "cannot read $side.bmp"
done
scene_differs=$(compare -metric AE -fuzz 2% linux-scene.png windows-scene.png scene-difference.png 2>&1)
echo "scene: $scene_differs of 256000 pixels differ"
[ "${scene_differs%%.*}" -le 1280 ] 2>/dev/null || fail "the scenes differ in $scene_differs pixels (see scene-difference.png)"
rmse=$(compare -metric RMSE linux.bmp windows.bmp frame-difference.png 2>&1 | sed 's/.*(\(.*\))/\1/')
echo "whole frame: RMSE $rmse"
awk -v r="$rmse" 'BEGIN { exit !(r <= 0.05) }' || fail "the frames differ by RMSE $rmse (see frame-difference.png)"
echo "PASS"
