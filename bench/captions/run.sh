#!/usr/bin/env bash
# The caption list fill on a shown window needs a display: a virtual one of its own.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/lib.sh"
bench_sandbox --display bench_captions
mkdir -p "$GF_BUILD/bench/work/captions"
"$src/tools/wine-run.sh" "$GF_BUILD/bench/bin/bench_captions.exe" 'D:\bench\work\captions'
