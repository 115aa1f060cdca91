#!/usr/bin/env bash
# The shredder against the disk's own write speed, in one run on one disk, at 2 GiB
# (GF_BENCH_MIB) by default. Each round times, over a freshly written and synced file
# of the same size each:
#   dd:       `dd if=/dev/zero bs=1M conv=notrunc,fsync` and `rm` (the baseline);
#   program:  Glimmerfold.exe started with the file's path, from the key that answers
#             its question with Yes until the process has ended (the progress window
#             shows meanwhile);
#   in-process: ShredFile alone (bench_shred.exe).
# Medians count, since other work on the machine disturbs single rounds.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/lib.sh"
bench_sandbox --display Glimmerfold bench_shred
mib=${GF_BENCH_MIB:-2048}
rounds=${GF_BENCH_ROUNDS:-5}
work="$GF_BUILD/bench/work/shred"
case "$work" in "$GF_BUILD"/*) ;; *) echo "shred: $work is outside the build" >&2; exit 1 ;; esac
rm -rf -- "$work"
mkdir -p "$work"
cd "$work"
win='D:\bench\work\shred'

fresh() { dd if=/dev/urandom of="$1" bs=1M count="$mib" conv=fsync status=none; sync; }
now() { date +%s.%N; }
since() { echo "$(now) - $1" | bc -l; }
question() { xdotool search --onlyvisible --name '^Glimmerfold File Shredder$' 2>/dev/null | head -1; }

time_dd() {
  fresh dd.dat
  local t0; t0=$(now)
  dd if=/dev/zero of=dd.dat bs=1M count="$mib" conv=notrunc,fsync status=none
  rm -f dd.dat
  since "$t0"
}

time_program() {
  fresh program.dat
  (exec wine "$GF_BUILD/bin/Glimmerfold.exe" "$win\\program.dat" >/dev/null 2>&1 </dev/null) &
  local pid=$! box="" i t0
  for i in $(seq 1 200); do box=$(question); [ -n "$box" ] && break; sleep 0.1; done
  [ -n "$box" ] || { echo "shred: no question" >&2; kill "$pid"; exit 1; }
  xdotool windowfocus --sync "$box" 2>/dev/null; sleep 0.3
  t0=$(now)
  xdotool key Return
  for i in $(seq 1 20); do [ -z "$(question)" ] && break; sleep 0.1; done
  [ -z "$(question)" ] || { echo "shred: the question did not take the key" >&2; kill "$pid"; exit 1; }
  wait "$pid"
  since "$t0"
  [ ! -e program.dat ] || { echo "shred: the program left the file" >&2; exit 1; }
}

time_in_process() {
  fresh inproc.dat
  wine "$GF_BUILD/bench/bin/bench_shred.exe" "$win\\inproc.dat" >inproc.out 2>&1 </dev/null || true
  tr -d '\r' <inproc.out | sed -n 's/^seconds=//p' | grep . || { cat inproc.out >&2; exit 1; }
}

for r in $(seq 1 "$rounds"); do
  d=$(time_dd); p=$(time_program); i=$(time_in_process)
  printf 'round %d: dd %.3f s, program %.3f s, in-process %.3f s\n' "$r" "$d" "$p" "$i"
  echo "$d $p $i" >>rounds.txt
done
median() { cut -d' ' -f"$1" rounds.txt | sort -g | awk '{a[NR]=$1} END {print (NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2)}'; }
d=$(median 1); p=$(median 2); i=$(median 3)
awk -v d="$d" -v p="$p" -v i="$i" -v mib="$mib" -v n="$rounds" 'BEGIN {
  printf "medians of %d rounds of %d MiB\n", n, mib
  printf "dd + rm (baseline): %.3f s, %.0f MB/s\n", d, mib * 1.048576 / d
  printf "program:            %.3f s, %.0f MB/s, ratio %.2f (target >= 0.90)\n", p, mib * 1.048576 / p, d / p
  printf "in-process:         %.3f s, %.0f MB/s, ratio %.2f\n", i, mib * 1.048576 / i, d / i
}'
