#!/usr/bin/env bash
# Start-up time of Glimmerfold.exe (start to main window shown) against a minimal Win32
# program that opens one window, both under the same Wine in the same run; and the
# program's private memory after loading. Runs in a sandbox prefix of its own.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/lib.sh"
bench_sandbox --display Glimmerfold bench_baseline_window bench_startup_probe
runs=${GF_BENCH_RUNS:-7}
out="$GF_BUILD/bench/startup"
mkdir -p "$out"
cp "$GF_BUILD/bin/Glimmerfold.exe" "$out/Glimmerfold.exe"
cd "$out"
probe() {  # exe title file
  wine "$GF_BUILD/bench/bin/bench_startup_probe.exe" "$1" "$2" "$runs" >"$3" 2>/dev/null </dev/null || true
  tr -d '\r' <"$3" >"$3.txt"
}
# Warm Wine up once so that neither side pays for the first start.
probe 'D:\bench\bin\bench_baseline_window.exe' 'Bench Baseline' "$out/warm.raw"
probe 'D:\bench\bin\bench_baseline_window.exe' 'Bench Baseline' "$out/base.raw"
probe 'D:\bench\startup\Glimmerfold.exe' 'Glimmerfold' "$out/app.raw"
median() { grep -o 'ms=[0-9.]*' "$1" | cut -d= -f2 | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR+1)/2)] : "nan")}'; }
mem() { grep -o 'private_kb=[0-9]*' "$1" | cut -d= -f2 | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR+1)/2)] : "nan")}'; }
b=$(median "$out/base.raw.txt"); a=$(median "$out/app.raw.txt")
echo "baseline window: median ${b} ms over $runs starts (private $(mem "$out/base.raw.txt") KB)"
echo "Glimmerfold:     median ${a} ms over $runs starts (private $(mem "$out/app.raw.txt") KB after loading)"
awk -v a="$a" -v b="$b" 'BEGIN { if (b > 0) printf "ratio Glimmerfold / baseline = %.2f (target <= 1.5)\n", a / b }'
