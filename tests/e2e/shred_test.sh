#!/usr/bin/env bash
# Glimmerfold.exe started with a file path (as the Explorer verb does) asks, is
# answered from the keyboard, shreds or keeps the file, and ends; also beside another
# running instance. The files lie in this test's folder inside the build folder (D:).
. "$(dirname "$0")/lib.sh"
set +e
here='D:\e2e\shred_test'

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
at_least() { [ "$(questions | wc -l)" -ge "$1" ]; }
wait_questions() { wait_until 20 at_least "$1" || fail "expected $1 question boxes"; }
shown() { xdotool getwindowname "$1" >/dev/null 2>&1; }

# Gives one question box the keyboard focus and presses the key there until the box
# goes: a window that another program shows meanwhile may take the key.
answer() {  # <window> <key>
  local try
  for try in 1 2 3 4 5; do
    shown "$1" || return 0
    xdotool windowfocus --sync "$1" 2>/dev/null
    sleep 0.3
    xdotool key "$2"
    wait_until 2 eval "! shown $1" && return 0
  done
  fail "the question box did not take the key $2"
}

# Waits for every started program to end by itself.
all_end() {
  local p
  for p in "${APP_PIDS[@]}"; do
    wait_until 30 eval "! kill -0 $p 2>/dev/null" || fail "the program is still running"
  done
  APP_PIDS=()
}

# Yes is the default: Enter shreds. The path holds spaces and is passed unquoted.
head -c 300000 /dev/urandom >"$E2E_DIR/secret plans.txt"
start_app "$here\\secret" "plans.txt"
wait_questions 1
answer "$(questions | head -1)" Return
all_end
[ -e "$E2E_DIR/secret plans.txt" ] && fail "the file is still there after Yes"

# No keeps the file untouched.
echo stays >"$E2E_DIR/keep.txt"
start_app "$here\\keep.txt"
wait_questions 1
answer "$(questions | head -1)" n
all_end
[ "$(cat "$E2E_DIR/keep.txt")" = stays ] || fail "the file changed after No"

# A shred start runs beside another running Glimmerfold (here one still asking): the
# new one asks, shreds and ends; the first is still there to be answered.
echo one >"$E2E_DIR/one.txt"
echo two >"$E2E_DIR/two.txt"
start_app "$here\\one.txt"
wait_questions 1
first=$(questions | head -1)
start_app "$here\\two.txt"
wait_questions 2
answer "$(questions | grep -v "^$first\$" | head -1)" Return
wait_until 10 test ! -e "$E2E_DIR/two.txt" || fail "the second start did not shred"
[ -e "$E2E_DIR/one.txt" ] || fail "the first start's file went too early"
answer "$first" Return
all_end
[ -e "$E2E_DIR/one.txt" ] && fail "the first start did not shred"
# Names that the ANSI command line would carry as another file's name (a character
# outside the code page, best-fitted; a trailing space or dot, trimmed), handed over
# character for character as the verb does: the named file goes, its twin stays.
start_wide() {  # <command-line text>
  (cd "$E2E_DIR" && exec wine "$GF_TEST_BIN/widestart.exe" "$here\\Glimmerfold.exe" "$1" >/dev/null 2>&1 </dev/null) &
  APP_PIDS+=("$!")
}
for pair in 'ｒeport.txt/report.txt' 'plain2.txt /plain2.txt' 'p3./p3'; do
  named=${pair%/*} twin=${pair#*/}
  rm -f -- "$E2E_DIR/$named" "$E2E_DIR/$twin"
  head -c 5000 /dev/urandom >"$E2E_DIR/$twin"
  cp -- "$E2E_DIR/$twin" "$E2E_DIR/twin.orig"
  echo named >"$E2E_DIR/$named"
  start_wide "$here\\$named"
  wait_questions 1
  answer "$(questions | head -1)" Return
  all_end
  [ -e "$E2E_DIR/$named" ] && fail "'$named' is still there after Yes"
  cmp -s "$E2E_DIR/$twin" "$E2E_DIR/twin.orig" || fail "'$twin' changed when '$named' was shredded"
done
echo "shred: ok"
