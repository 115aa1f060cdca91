#!/usr/bin/env bash
# Builds everything and runs every benchmark (bench/*/run.sh) in the build's sandbox.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
for b in "$src"/bench/*/run.sh; do
  [ -f "$b" ] || continue
  echo "== $(basename "$(dirname "$b")")"
  bash "$b"
done
