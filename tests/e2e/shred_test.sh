#!/usr/bin/env bash
# Files shredded through the Explorer verb that the running program registered on its
# first start: its command, with the file's name in place of %1, run as Explorer runs it
# (wide, unquoted). Each start asks beside the running main window, is answered from the
# keyboard, shreds or keeps the file, and ends; the main window stays. The program lies
# in a folder whose name holds a space, next to a my.exe that an unquoted command would
# start instead; the files lie in this test's folder inside the build folder (D:).
. "$(dirname "$0")/lib.sh"
set +e
here='D:\e2e\shred_test'
mkdir -p "$E2E_DIR/my apps"
cp "$GF_EXE" "$E2E_DIR/my apps/Glimmerfold.exe"
cp "$GF_TEST_BIN/holdfile.exe" "$E2E_DIR/my.exe"  # without its arguments it ends at once

reset_program_state
(cd "$E2E_DIR" && exec wine "$E2E_DIR/my apps/Glimmerfold.exe" >/dev/null 2>&1 </dev/null) &
APP_PID=$!
APP_PIDS+=("$APP_PID")
wait_main_window
verb="\"$here\\my apps\\Glimmerfold.exe\" %1"
wait_until 10 reg_is "$VERB_KEY\\command" "" "$verb" || fail "the verb runs '$(reg_get "$VERB_KEY\\command" "")'"

box() { BOX=$(xdotool search --onlyvisible --name '^Glimmerfold File Shredder$' 2>/dev/null | head -1); [ -n "$BOX" ]; }
gone() { ! xdotool getwindowname "$BOX" >/dev/null 2>&1; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# Runs the verb on a name and presses the key in its question box, again if a window of
# another program took the keyboard meanwhile; waits for that start to end.
shred() {  # <name> <key>
  local pid try
  (cd "$E2E_DIR" && exec wine "$GF_TEST_BIN/widestart.exe" "$verb" "$here\\$1" >/dev/null 2>&1 </dev/null) &
  pid=$!
  APP_PIDS+=("$pid")
  wait_until 20 box || fail "no question for '$1'"
  for try in 1 2 3 4 5; do
    xdotool windowfocus --sync "$BOX" 2>/dev/null
    xdotool key "$2"
    wait_until 3 gone && break
  done
  gone || fail "the question for '$1' did not take the key $2"
  wait_until 30 ended "$pid" || fail "the start for '$1' is still running"
}

# Yes is the default: Enter shreds; n keeps. The names with a twin are ones the ANSI
# command line would carry as the twin's (a character outside the code page, best-
# fitted; a trailing space or dot, trimmed): the named file goes, its twin stays.
for row in 'secret plans.txt||Return' 'keep.txt||n' 'ｒeport.txt|report.txt|Return' \
           'plain2.txt |plain2.txt|Return' 'p3.|p3|Return'; do
  IFS='|' read -r named twin key <<<"$row"
  echo "$named" >"$E2E_DIR/$named"
  [ -z "$twin" ] || head -c 5000 /dev/urandom | tee "$E2E_DIR/$twin" >"$E2E_DIR/twin.orig"
  shred "$named" "$key"
  if [ "$key" = n ]; then
    [ "$(cat "$E2E_DIR/$named")" = "$named" ] || fail "'$named' changed after No"
  elif [ -e "$E2E_DIR/$named" ]; then fail "'$named' is still there after Yes"; fi
  [ -z "$twin" ] || cmp -s "$E2E_DIR/$twin" "$E2E_DIR/twin.orig" || fail "'$twin' changed when '$named' went"
done
no_main_window && fail "the running program went with a shred start"
stop_app
echo "shred: ok"
