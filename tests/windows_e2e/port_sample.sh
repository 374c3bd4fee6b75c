# The sample port (examples/win32_port, MAZERUN) under Wine, played to its
# end as on Linux: PORT.INI's Demo Frames (150) frames in which the runner
# walks the maze's path to the exit.  Its end shows as its last line,
# "MAZERUN: N frames, exit reached", exit code 0, and the frame at which the
# exit was reached written back into PORT.INI as Scores/Best by the system's
# WritePrivateProfileString; when the Linux build's port is at hand, its
# run reaches the exit at the same frame.  On the way it shows its start box
# (a DIALOG of its resources, which closes itself in a demo run), reads the
# keyboard through DirectInput, paces its frames with timeSetEvent and plays
# its exit sound from a WAVE resource; at the end it counts the run in the
# registry (HKEY_CURRENT_USER\Software\Mazeworks\MAZERUN, Runs), which
# both runs start without.  The configuration dialog is answered by
# VANTREL_CONFIG with a window: the X server has no mode of the port's
# 320 x 240.
#
#   port_sample.sh WINE DLL_DIR PORT_DIR LINUX_BUILD_DIR WORK_DIR
#
# PORT_DIR holds mazerun.exe with its PORT.INI and Data folder; the run
# takes a copy, since the game writes its INI file.
set -u
wine=$1
dll_dir=$2
port_dir=$3
linux_build=$4
work=$5
source "$(dirname "$0")/common.sh"

rm -rf "$work"
mkdir -p "$work/windows"
cp -r "$port_dir/mazerun.exe" "$port_dir/port.ini" "$port_dir/data" "$work/windows/" || fail "no port in $port_dir"
# A best frame from an earlier run would stay if it were lower.
sed -i '/^\[Scores\]/,$d' "$work/windows/port.ini"

# best DIR: Scores/Best of the INI file the game wrote in DIR.
best() {
  tr -d '\r' <"$1/port.ini" | awk -F= '/^\[/ { section = $0 } section == "[Scores]" && $1 == "Best" { print $2 }'
}

key='HKCU\Software\Mazeworks\MAZERUN'
"$wine" reg delete "$key" /f >/dev/null 2>&1

cd "$work/windows" || exit 1
VANTREL_CONFIG="fullscreen=0" wine_run 120 ./mazerun.exe >out.txt 2>err.txt
status=$?
sed -i 's/\r$//' out.txt err.txt # Windows line ends
cat out.txt
[ $status -eq 0 ] || fail "MAZERUN exited with $status: $(cat err.txt)"
grep -Eq "^MAZERUN: 150 frames, exit reached$" out.txt || fail "MAZERUN did not play to its end"
windows_best=$(best .)
[ -n "$windows_best" ] && [ "$windows_best" -gt 0 ] && [ "$windows_best" -le 150 ] ||
  fail "PORT.INI holds no best frame: '$windows_best'"
echo "exit reached at frame $windows_best"
runs=$("$wine" reg query "$key" /v Runs 2>/dev/null | tr -d '\r' | awk '$1 == "Runs" { print $3 }')
[ "$runs" = "0x1" ] || fail "the registry does not count the run: Runs is '$runs'"

linux_port=$linux_build/examples/win32_port/mazerun
if [ -n "$linux_build" ] && [ -x "$linux_port" ]; then
  mkdir -p "$work/linux"
  cp -r "$linux_port" "$(dirname "$linux_port")/port.ini" "$(dirname "$linux_port")/data" "$work/linux/"
  sed -i '/^\[Scores\]/,$d' "$work/linux/port.ini"
  (cd "$work/linux" && VANTREL_WINDOWS_DIR="$work/linux/registry/windows" VANTREL_VIDEO=headless \
    VANTREL_AUDIO=headless timeout 60 ./mazerun >out.txt 2>&1) ||
    fail "the Linux port failed: $(cat "$work/linux/out.txt")"
  grep -q '^"Runs"=dword:00000001$' "$work/linux/registry/registry.reg" ||
    fail "the Linux run does not count itself in the registry"
  linux_best=$(best "$work/linux")
  [ "$linux_best" = "$windows_best" ] || fail "Linux reaches the exit at frame $linux_best, Windows at $windows_best"
fi
echo "PASS"
