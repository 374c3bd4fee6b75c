# Shared by the Windows end-to-end scripts: sourced after `wine` and
# `dll_dir` are set.  Programs run through Wine with vantrel.dll found on
# WINEPATH; without Wine or an X display the test skips (exit code 77).

if [ -z "$wine" ] || ! command -v "$wine" >/dev/null; then
  echo "SKIP: no Wine"
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "SKIP: no X display"
  exit 77
fi
export WINEDEBUG=${WINEDEBUG:--all}
# The prefix is named outright: a test that moves HOME must not make Wine
# build a new one under it.
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
export WINEPATH="$(winepath -w "$dll_dir" 2>/dev/null || echo "$dll_dir")"

fail() {
  echo "FAIL: $*"
  exit 1
}

# wine_run SECONDS PROGRAM ARGS...: the program under Wine, killed after
# SECONDS; its exit code.
wine_run() {
  local seconds=$1
  shift
  timeout --kill-after=5 "$seconds" "$wine" "$@"
}

# Floating-point comparisons for the checks: `within VALUE EXPECTED TOLERANCE`
# succeeds when |VALUE - EXPECTED| <= TOLERANCE.
within() {
  awk -v v="$1" -v e="$2" -v t="$3" 'BEGIN { d = v - e; if (d < 0) d = -d; exit !(d <= t) }'
}
