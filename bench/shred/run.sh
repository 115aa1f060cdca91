#!/usr/bin/env bash
# Shredder throughput against the disk's own write speed, in one run on one disk:
# a 256 MiB file is shredded by Glimmerfold's ShredFile under Wine, and a file of the
# same size is overwritten by `dd bs=1M conv=notrunc,fsync` and removed. The two take
# turns for several rounds, each on a freshly written and synced file; the medians
# count (other work on the machine disturbs single rounds).
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh" --target shred_bench >/dev/null
export GF_BUILD
GF_BUILD=$(cd "$build" && pwd)
export GF_PREFIX_NAME=test-prefix
. "$src/tools/sandbox-env.sh"
gf_sandbox_prepare
trap gf_stop_wineserver EXIT
gf_start_wineserver

mib=${GF_BENCH_MIB:-256}
rounds=${GF_BENCH_ROUNDS:-7}
scratch="$GF_BUILD/bench-scratch"
mkdir -p "$scratch"
file="$scratch/shred-bench.dat"

fresh() { dd if=/dev/urandom of="$file" bs=1M count="$mib" conv=fsync status=none; sync; }
now() { date +%s.%N; }

dd_times=(); gf_times=()
for r in $(seq 1 "$rounds"); do
  fresh
  t0=$(now)
  dd if=/dev/zero of="$file" bs=1M count="$mib" conv=notrunc,fsync status=none
  rm -f "$file"
  t1=$(now)
  dd_s=$(echo "$t1 - $t0" | bc -l)

  fresh
  out=$(mktemp "$GF_SANDBOX/bench.XXXXXX")
  (cd "$GF_BUILD/bench/bin" && wine ./shred_bench.exe 'D:\bench-scratch\shred-bench.dat' >"$out" 2>&1 </dev/null)
  gf_s=$(tr -d '\r' <"$out"); rm -f "$out"
  [ -e "$file" ] && { echo "shred_bench left the file: $gf_s" >&2; exit 1; }

  printf 'round %d: dd %.3f s, shredder %.3f s\n' "$r" "$dd_s" "$gf_s"
  dd_times+=("$dd_s"); gf_times+=("$gf_s")
done
rmdir "$scratch" 2>/dev/null || true

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
med_dd=$(median "${dd_times[@]}")
med_gf=$(median "${gf_times[@]}")

dd_mbs=$(echo "$mib * 1.048576 / $med_dd" | bc -l)
gf_mbs=$(echo "$mib * 1.048576 / $med_gf" | bc -l)
ratio=$(echo "$gf_mbs / $dd_mbs" | bc -l)
printf 'medians of %d rounds of %d MiB\ndd (baseline): %.0f MB/s\nshredder:      %.0f MB/s\nratio:         %.2f (target >= 0.80)\n' \
  "$rounds" "$mib" "$dd_mbs" "$gf_mbs" "$ratio"
