#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine, each in a sandbox of the build folder's own
# (its own prefix, no Z: drive, HOME inside the build folder), as tools/test.sh does.
#   bench/run.sh            every benchmark
#   bench/run.sh erase      only bench/erase
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in "$src"/bench/*/; do names+=("$(basename "$d")"); done
fi
for name in "${names[@]}"; do
  if [ -f "$src/bench/$name/run.sh" ]; then  # a folder with its own script
    echo "== $name"
    bash "$src/bench/$name/run.sh"
  else                                        # sources only: run bench_<name>.exe
    (
      . "$src/bench/lib.sh"
      bench_sandbox "bench_$name"
      exe="$GF_BUILD/bench/bin/bench_$name.exe"
      [ -f "$exe" ] || { echo "no benchmark $name" >&2; exit 1; }
      work="$GF_BUILD/bench/work/$name"
      if [ -f "$src/bench/$name/prepare.sh" ]; then
        echo "== $name: preparing"
        bash "$src/bench/$name/prepare.sh" "$work"
      fi
      echo "== $name"
      "$src/tools/wine-run.sh" "$exe" "D:\\bench\\work\\$name"
    )
  fi
done
