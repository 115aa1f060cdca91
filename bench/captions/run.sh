#!/usr/bin/env bash
# The caption list fill on a shown window needs a display: a virtual one of its own.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh" --target bench_captions >/dev/null
export GF_BUILD
GF_BUILD=$(cd "$build" && pwd)
export GF_PREFIX_NAME=bench-prefix
. "$src/tools/sandbox-env.sh"
gf_sandbox_prepare
trap 'gf_stop_wineserver; gf_stop_xvfb' EXIT
gf_start_xvfb
gf_start_wineserver
mkdir -p "$GF_BUILD/bench/work/captions"
"$src/tools/wine-run.sh" "$GF_BUILD/bench/bin/bench_captions.exe" 'D:\bench\work\captions'
