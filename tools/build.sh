#!/usr/bin/env bash
# Configures and builds into ./build (or $GF_BUILD_DIR).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" "$@"
