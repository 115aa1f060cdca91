# Sourced by the benchmarks' scripts: builds what a benchmark needs and enters the build
# folder's benchmark sandbox (its own prefix, no Z: drive, HOME inside the build folder),
# as tools/test.sh does for the tests. The wineserver (and the display) end with the
# script.
#   bench_sandbox [--display] <build target>...
bench_sandbox() {
  local display=0 root
  if [ "${1:-}" = --display ]; then display=1; shift; fi
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  "$root/tools/build.sh" --target "$@" >/dev/null
  export GF_BUILD
  GF_BUILD=$(cd "${GF_BUILD_DIR:-$root/build}" && pwd)
  export GF_PREFIX_NAME=bench-prefix
  . "$root/tools/sandbox-env.sh"
  gf_sandbox_prepare
  if [ "$display" = 1 ]; then
    trap 'gf_stop_wineserver; gf_stop_xvfb' EXIT
    gf_start_xvfb
  else
    trap gf_stop_wineserver EXIT
  fi
  gf_start_wineserver
}
