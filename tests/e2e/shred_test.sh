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
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the program with the words as its command line (Wine joins them with single
# spaces, unquoted, as Explorer's %1 would give them), in a working folder on D:.
start() {
  (cd "$GF_BUILD/bin" && exec wine "$GF_EXE" "$@" >/dev/null 2>&1 </dev/null) &
  pid=$!
}

# Waits for the question box, gives it the keyboard focus and presses the key.
answer() {
  local key=$1 win i
  for i in $(seq 1 200); do
    win=$(xdotool search --onlyvisible --name '^Glimmerfold File Shredder$' 2>/dev/null | head -1)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended without asking"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no question box appeared"
  xdotool windowfocus --sync "$win" || fail "could not focus the question box"
  sleep 0.3
  xdotool key "$key"
}

# Waits for the program to end by itself.
ends() {
  local i
  for i in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; pid=""; return 0; }
    sleep 0.1
  done
  fail "the program is still running"
}

# Yes is the default: Enter shreds. The path holds spaces and is passed unquoted.
victim="$scratch/secret plans.txt"
head -c 300000 /dev/urandom >"$victim"
start "D:\\tests\\$scratch_name\\secret" "plans.txt"
answer Return
ends
[ -e "$victim" ] && fail "the file is still there after Yes"

# No keeps the file untouched.
keeper="$scratch/keep.txt"
echo "stays" >"$keeper"
start "D:\\tests\\$scratch_name\\keep.txt"
answer n
ends
[ "$(cat "$keeper")" = "stays" ] || fail "the file changed after No"
echo "PASS"
