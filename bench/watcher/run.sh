#!/usr/bin/env bash
# The browser watcher's cost with 100 extra processes (bench_watcher.exe starts them,
# copies of the tests' stand-in program): one tick against a Toolhelp walk, and the
# CPU that "Auto Clean After Browsing Session" costs the program and Wine's server,
# as the difference between the option on and off over GF_BENCH_PHASE_S seconds each
# (default 20). Both CPU figures are read from /proc, at the phase changes the
# benchmark writes. Runs in a sandbox prefix of its own.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/bench/lib.sh"
bench_sandbox bench_watcher browser_standin
phase_s=${GF_BENCH_PHASE_S:-20}
work="$GF_BUILD/bench/work/watcher"
rm -rf "$work"
mkdir -p "$work"
cp "$GF_BUILD/tests/bin/browser_standin.exe" "$work/WORKER.EXE"

# This prefix's server: the one whose environment names our prefix.
server=""
for p in $(pgrep wineserver || true); do
  if grep -qxz "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null; then server=$p; fi
done
[ -n "$server" ] || { echo "watcher: no wineserver for $WINEPREFIX" >&2; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }  # utime + stime
hz=$(getconf CLK_TCK)

out="$work/out.txt"
cd "$GF_BUILD/bench/bin"
wine "$GF_BUILD/bench/bin/bench_watcher.exe" 'D:\bench\work\watcher' "$phase_s" >"$out" 2>&1 </dev/null &
bench=$!
declare -A prog serv
last=""
while kill -0 "$bench" 2>/dev/null; do
  phase=$(cat "$work/phase.txt" 2>/dev/null || true)
  if [ -n "$phase" ] && [ "$phase" != "$last" ]; then
    prog[$phase]=$(ticks "$bench")
    serv[$phase]=$(ticks "$server")
    last=$phase
    if [ "$phase" = done ]; then rm -f "$work/phase.txt"; fi  # lets it end
  fi
  sleep 0.02
done
wait "$bench" && rc=0 || rc=$?
tr -d '\r' <"$out"
[ -n "${prog[done]:-}" ] || { echo "watcher: the benchmark ended before its phases (exit $rc)" >&2; exit 1; }
pct() { awk -v t="$1" -v hz="$hz" -v s="$phase_s" 'BEGIN { printf "%.2f", 100 * t / hz / s }'; }
p_off=$(pct $((prog[on] - prog[off]))); p_on=$(pct $((prog[done] - prog[on])))
s_off=$(pct $((serv[on] - serv[off]))); s_on=$(pct $((serv[done] - serv[on])))
echo "CPU of one core over ${phase_s} s, option off -> on:"
echo "  program    ${p_off} % -> ${p_on} %"
echo "  wineserver ${s_off} % -> ${s_on} %"
awk -v po="$p_off" -v pn="$p_on" -v so="$s_off" -v sn="$s_on" 'BEGIN {
  printf "watcher cost: program %.2f %%, wineserver %.2f %%, in all %.2f %% (targets <= 1 %%, <= 2 %% in all)\n",
         pn - po, sn - so, pn - po + sn - so }'
rm -rf "$work"
exit "$rc"
