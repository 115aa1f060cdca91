#!/usr/bin/env bash
# Builds and runs the watcher benchmark in the build folder's Wine sandbox.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh" >/dev/null
# A build folder configured before bench/ existed learns of it here.
cmake -S "$src" -B "$build" >/dev/null
cmake --build "$build" --target bench_watcher browser_standin >/dev/null
export GF_BUILD
GF_BUILD=$(cd "$build" && pwd)
export GF_PREFIX_NAME=bench-prefix
. "$src/tools/sandbox-env.sh"
gf_sandbox_prepare
trap gf_stop_wineserver EXIT
gf_start_wineserver
"$src/tools/wine-run.sh" "$GF_BUILD/bench/bin/bench_watcher.exe" 'D:\tests\bin\browser_standin.exe' 'D:\bench\scratch'
