#!/usr/bin/env bash
# Builds Glimmerfold.exe and starts it under Wine in the build folder's sandbox.
# On a machine without a display it starts a virtual one, takes a screenshot after a
# few seconds, says where it is, and ends the program.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh" --target Glimmerfold
export GF_BUILD
GF_BUILD=$(cd "$build" && pwd)
export GF_PREFIX_NAME=prefix
. "$src/tools/sandbox-env.sh"
gf_sandbox_prepare
cd "$GF_BUILD/bin"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$GF_BUILD/bin/Glimmerfold.exe" "$@"
fi
trap 'gf_stop_wineserver; gf_stop_xvfb' EXIT
gf_start_xvfb
wine "$GF_BUILD/bin/Glimmerfold.exe" "$@" >/dev/null 2>&1 </dev/null &
sleep "${GF_SHOT_DELAY:-6}"
shot="$GF_BUILD/screenshot.png"
/usr/bin/import -window root "$shot"
echo "No display: the program ran on a virtual one. Screenshot: $shot"
