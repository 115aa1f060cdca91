#!/usr/bin/env bash
# Whole program: Glimmerfold.exe started with a file path (as the Explorer verb does)
# asks, is answered from the keyboard, shreds or keeps the file, and ends.
# Runs inside the test sandbox: files live in the build folder (the prefix's D:).
set -uo pipefail
: "${GF_BUILD:?}" "${GF_EXE:?}" "${DISPLAY:?needs the display tools/test.sh provides}"
export GF_PREFIX_NAME=test-prefix
. "$GF_SOURCE/tools/sandbox-env.sh"
gf_sandbox_prepare || exit 1

scratch_name="e2e-shred-$$"
scratch="$GF_BUILD/tests/$scratch_name"
mkdir -p "$scratch"
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT
step=""
fail() {
  echo "FAIL ($step): $*; question boxes shown: $(questions | wc -l)" >&2
  /usr/bin/import -window root "$GF_BUILD/tests/e2e-shred-failure.png" 2>/dev/null
  exit 1
}

# Starts the program with the words as its command line (Wine joins them with single
# spaces, unquoted, as Explorer's %1 would give them), in a working folder on D:.
start() {
  (cd "$GF_BUILD/bin" && exec wine "$GF_EXE" "$@" >/dev/null 2>&1 </dev/null) &
  pids+=($!)
}

# The question boxes shown now. A search can come back empty when another window goes
# away in the middle of it, so an empty answer is asked again.
questions() {
  local i out
  for i in 1 2 3 4 5; do
    out=$(xdotool search --onlyvisible --name '^Glimmerfold File Shredder$' 2>/dev/null)
    [ -n "$out" ] && break
    sleep 0.05
  done
  [ -n "$out" ] && echo "$out"
}

# Waits until n question boxes are shown.
wait_questions() {
  local n=$1 i
  for i in $(seq 1 200); do
    [ "$(questions | wc -l)" -ge "$n" ] && return 0
    sleep 0.1
  done
  fail "expected $n question boxes, saw $(questions | wc -l)"
}

# True while that box exists (its X window goes when the box closes).
shown() { xdotool getwindowname "$1" >/dev/null 2>&1; }

# Gives one question box the keyboard focus and presses the key there, until the box
# goes: a window that another test shows meanwhile takes Wine's foreground, and with
# it the keys, so a lost key is pressed again.
answer() {
  local win=$1 key=$2 try i
  for try in 1 2 3 4 5; do
    shown "$win" || return 0
    xdotool windowfocus --sync "$win" 2>/dev/null
    sleep 0.3
    xdotool key "$key"
    for i in $(seq 1 15); do
      shown "$win" || return 0
      sleep 0.1
    done
  done
  fail "the question box did not take the key $key"
}

# Waits for every started program to end by itself.
all_end() {
  local p i
  for p in "${pids[@]}"; do
    for i in $(seq 1 300); do
      kill -0 "$p" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$p" 2>/dev/null && fail "the program is still running"
    wait "$p" 2>/dev/null
  done
  pids=()
}

step="Yes"
# Yes is the default: Enter shreds. The path holds spaces and is passed unquoted.
victim="$scratch/secret plans.txt"
head -c 300000 /dev/urandom >"$victim"
start "D:\\tests\\$scratch_name\\secret" "plans.txt"
wait_questions 1
answer "$(questions | head -1)" Return
all_end
[ -e "$victim" ] && fail "the file is still there after Yes"

step="No"
# No keeps the file untouched.
keeper="$scratch/keep.txt"
echo "stays" >"$keeper"
start "D:\\tests\\$scratch_name\\keep.txt"
wait_questions 1
answer "$(questions | head -1)" n
all_end
[ "$(cat "$keeper")" = "stays" ] || fail "the file changed after No"

step="beside another"
# A shred start runs beside another running Glimmerfold (here one still asking): the
# new one asks, shreds and ends; the first is still there to be answered.
echo one >"$scratch/one.txt"
echo two >"$scratch/two.txt"
start "D:\\tests\\$scratch_name\\one.txt"
wait_questions 1
first=$(questions | head -1)
start "D:\\tests\\$scratch_name\\two.txt"
wait_questions 2
second=$(questions | grep -v "^$first\$" | head -1)
answer "$second" Return
for i in $(seq 1 100); do [ -e "$scratch/two.txt" ] || break; sleep 0.1; done
[ -e "$scratch/two.txt" ] && fail "the second start did not shred"
[ -e "$scratch/one.txt" ] || fail "the first start's file went too early"
answer "$first" Return
all_end
[ -e "$scratch/one.txt" ] && fail "the first start did not shred"
echo "PASS"
