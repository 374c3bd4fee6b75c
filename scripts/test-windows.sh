#!/usr/bin/env bash
# The Windows stage of the tests: cross-builds the library and the unit tests
# that use only its public API for 64-bit and 32-bit Windows with mingw-w64,
# and runs them under Wine against the system's own DirectDraw, DirectSound,
# GDI and window manager.  scripts/test.sh calls it last; it runs on its own
# as well (after scripts/install-deps.sh).
#
# Wine runs 32-bit programs only with wine32 (wine32:i386), on a kernel that
# starts 32-bit programs.  Without either, the 32-bit tree is still built, so
# that it keeps compiling against the 32-bit headers, and the stage says that
# its tests were not run.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
started=$SECONDS

. scripts/ccache-cmake.sh

# Both builds make the library, its tests, the tools, the examples and the
# demo (no benchmarks: Google Benchmark has no Windows build here).  The
# end-to-end tests compare against the Linux build that scripts/test.sh made.
windows_options=(-DVANTREL_BUILD_BENCHMARKS=OFF -DVANTREL_LINUX_BUILD_DIR="$PWD/build")

# Wine's 32-bit loader comes with wine32; Debian's wine script falls back to
# the 64-bit one without it, which cannot start a 32-bit program.  Some
# kernels (virtual machines built without IA-32 emulation) cannot start any
# 32-bit program at all: the loader itself is tried.
can_run() {
  case "$1" in
    64) command -v wine >/dev/null ;;
    32) command -v wine >/dev/null && [ -x /usr/lib/wine/wine ] &&
        /usr/lib/wine/wine --version >/dev/null 2>&1 ;;
  esac
}
why_not() {
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "wine32:i386 is not installed"
  else
    echo "this kernel cannot start 32-bit programs"
  fi
}

# DirectSound under Wine opens an ALSA device: a null one takes the sound
# where the machine has no card.  Wine reads the configuration from $HOME,
# which is set to this folder for the tests alone (ccache keeps its own).
alsa_home=$(mktemp -d)
trap 'rm -rf "$alsa_home"' EXIT
printf 'pcm.!default { type null }\n' >"$alsa_home/.asoundrc"

skipped=()
failed=()
for width in 64 32; do
  case $width in
    64) toolchain=cmake/toolchains/mingw-w64-x86_64.cmake arch=win64 loader=/usr/lib/wine/wine64 ;;
    32) toolchain=cmake/toolchains/mingw-w64-i686.cmake arch=win32 loader=/usr/lib/wine/wine ;;
  esac
  build=build-win$width
  # The 32-bit build makes its data with the Linux build's tools (the same
  # archives, byte for byte), so it needs no 32-bit Wine to build, and no
  # 64-bit program has to start in its 32-bit prefix.
  width_options=()
  [ $width = 32 ] && width_options=(-DVANTREL_HOST_TOOLS="$PWD/build")
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_WERROR=ON "${windows_options[@]}" ${width_options[@]+"${width_options[@]}"}
  cmake --build "$build" -j "$jobs"

  if ! can_run $width; then
    skipped+=("$build: built, tests not run (Wine cannot start ${width}-bit programs here: $(why_not))")
    continue
  fi
  # One prefix per width, made once: wineboot is the slow part of a first run.
  # Without Mono and Gecko (the tests need neither), wineboot offers to
  # download them in a dialog box that would wait on the virtual display.
  # Each width's programs start through its own loader, as the build's
  # emulator does: Debian's wine script takes the 32-bit loader whenever
  # wine32 is installed, also where the kernel cannot start it.
  export WINEPREFIX="$PWD/$build/wine-prefix" WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINELOADER=$loader
  # A prefix made for the other width, or a 64-bit one made before wine32
  # was installed (no 32-bit half, which Wine's own 32-bit tools then need),
  # cannot serve: it is made again.
  if [ -f "$WINEPREFIX/system.reg" ]; then
    if ! grep -q "^#arch=$arch" "$WINEPREFIX/system.reg" ||
      { [ $width = 64 ] && can_run 32 && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }; then
      rm -rf "$WINEPREFIX"
    fi
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$loader" wineboot -i
    wineserver -w
  fi
  # The prefix's own processes (wineserver, services, the desktop) start
  # with the first Wine program and outlive it; started by a test, they
  # would keep that test's output open, and ctest would wait for them.  So
  # they are started here first, their output going nowhere.  A failing
  # width does not stop the other from being built and run.
  if ! HOME="$alsa_home" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
      wineserver -p 60 && "$3" wineboot >/dev/null 2>&1 </dev/null
      ctest --test-dir "$1" --output-on-failure -j "$2"' ctest "$build" "$jobs" "$loader"; then
    failed+=("$build")
  fi
  wineserver -k 2>/dev/null || true
  unset WINEPREFIX WINEARCH WINEDLLOVERRIDES WINELOADER
done

for s in ${skipped[@]+"${skipped[@]}"}; do
  echo "SKIPPED: $s"
done
echo "Windows stage: $((SECONDS - started)) s"
for f in ${failed[@]+"${failed[@]}"}; do
  echo "FAILED: $f"
done
[ ${#failed[@]} -eq 0 ]
