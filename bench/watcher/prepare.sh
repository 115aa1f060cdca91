#!/usr/bin/env bash
# The watcher benchmark's worker: the small stand-in program the tests also start,
# copied into the work folder, where the benchmark starts it 100 times.
set -euo pipefail
work="$1"
: "${GF_BUILD:?}"
case "$work" in "$GF_BUILD"/*) ;; *) echo "prepare: $work is outside the build" >&2; exit 1 ;; esac
mkdir -p "$work"
cp "$GF_BUILD/tests/bin/browser_standin.exe" "$work/WORKER.EXE"
