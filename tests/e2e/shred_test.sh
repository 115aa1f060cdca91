#!/usr/bin/env bash
# Files shredded through the Explorer verb that the running program registered on its first
# start, run as Explorer runs it (wide, %1 unquoted), from a folder whose name holds a space
# beside a my.exe that an unquoted command would start instead. Each start asks beside the
# main window, takes Enter (Yes), shreds and ends; the main window stays. Each name is one
# that the ANSI command line would carry as its twin's (a character outside the code page,
# best-fitted; a trailing space or dot, trimmed): the named file goes, its twin stays.
. "$(dirname "$0")/lib.sh"
set +e
here=$E2E_WIN
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

for row in 'ｒeport plans.txt|report plans.txt' 'plain2.txt |plain2.txt' 'p3.|p3'; do
  IFS='|' read -r named twin <<<"$row"
  echo "$named" >"$E2E_DIR/$named"
  head -c 5000 /dev/urandom | tee "$E2E_DIR/$twin" >"$E2E_DIR/twin.orig"
  start_command "$verb" "$here\\$named"
  wait_until 20 shred_box || fail "no question for '$named'"
  press_enter_on_box || fail "the question for '$named' did not take Enter"
  wait_until 30 ended "$START_PID" || fail "the start for '$named' is still running"
  [ -e "$E2E_DIR/$named" ] && fail "'$named' is still there after Yes"
  cmp -s "$E2E_DIR/$twin" "$E2E_DIR/twin.orig" || fail "'$twin' changed when '$named' went"
done
no_main_window && fail "the running program went with a shred start"
stop_app
echo "shred: ok"
