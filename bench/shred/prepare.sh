#!/usr/bin/env bash
# The baseline and the files for the shredder benchmark, on the Linux side of the same
# disk: the disk's own write speed is `dd bs=1M conv=notrunc,fsync` over a freshly
# written and synced file of the same size, followed by `rm`; its times go to
# dd-seconds.txt. Then one such fresh file per round for the shredder (shred-N.dat).
set -euo pipefail
work="$1"
: "${GF_BUILD:?}"
case "$work" in "$GF_BUILD"/*) ;; *) echo "prepare: $work is outside the build" >&2; exit 1 ;; esac
mib=${GF_BENCH_MIB:-256}
rounds=${GF_BENCH_ROUNDS:-7}
rm -rf -- "$work"
mkdir -p "$work"

fresh() { dd if=/dev/urandom of="$1" bs=1M count="$mib" conv=fsync status=none; sync; }

for r in $(seq 1 "$rounds"); do
  file="$work/dd.dat"
  fresh "$file"
  t0=$(date +%s.%N)
  dd if=/dev/zero of="$file" bs=1M count="$mib" conv=notrunc,fsync status=none
  rm -f "$file"
  t1=$(date +%s.%N)
  echo "$t1 - $t0" | bc -l >>"$work/dd-seconds.txt"
done
for r in $(seq 1 "$rounds"); do fresh "$work/shred-$r.dat"; done
