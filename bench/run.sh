#!/usr/bin/env bash
# Runs every benchmark in the build's sandbox: bench/*/run.sh and bench/*.sh.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
for b in "$src"/bench/*/run.sh "$src"/bench/*.sh; do
  [ -f "$b" ] || continue
  [ "$b" = "$src/bench/run.sh" ] && continue
  echo "== ${b#$src/bench/}"
  bash "$b"
done
