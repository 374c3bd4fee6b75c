# Sourced by the test stages: every build goes through ccache when the
# machine has it (install-deps.sh installs it), so repeated runs rebuild only
# what changed.  Paths are hashed relative to the checkout, so a fresh clone
# in another folder hits the cache that an earlier clone filled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
cmake() {
  if [ "${1:-}" = "-S" ] && command -v ccache >/dev/null; then
    command cmake -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
  else
    command cmake "$@"
  fi
}
