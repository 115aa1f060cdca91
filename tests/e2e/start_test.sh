#!/usr/bin/env bash
# The usual ways of starting the real program. A file typed quoted in a prompt, dropped on
# the program or sent to it: the question names it without the quotes and Yes shreds it; a
# quote inside the path, or two paths, is refused and no file changes. A copy whose name
# holds a dot, "Run on Start Up" ticked: the stored command, run as Windows runs it at
# log-on, starts that copy.
. "$(dirname "$0")/lib.sh"
set +e
reset_program_state
prompt="\"$E2E_WIN\\Glimmerfold.exe\" %1"  # the program's name, then the text the user gave

for name in 'quoted plans.txt' 'quoted.txt'; do
  head -c 3000 /dev/urandom >"$E2E_DIR/$name"
  start_command "$prompt" "\"$E2E_WIN\\$name\""
  wait_until 20 shred_box || fail "no question for '$name' in quotes"
  text=$(shred_box_text)
  [ "$text" = "Do you want to Shred $E2E_WIN\\$name?" ] || fail "the question for '$name' reads '$text'"
  press_enter_on_box || fail "the question for '$name' did not take Enter"
  wait_until 30 ended "$START_PID" || fail "the start for '$name' is still running"
  [ -e "$E2E_DIR/$name" ] && fail "'$name' is still there after Yes"
done

head -c 3000 /dev/urandom | tee "$E2E_DIR/one two.txt" >"$E2E_DIR/one.orig"
head -c 3000 /dev/urandom | tee "$E2E_DIR/three.txt" >"$E2E_DIR/three.orig"
for line in "$E2E_WIN\\\"one two.txt\"" "\"$E2E_WIN\\one two.txt\" \"$E2E_WIN\\three.txt\""; do
  start_command "$prompt" "$line"
  wait_until 20 shred_box || fail "no box for [$line]"
  text=$(shred_box_text)
  [[ "$text" == "This cannot be shredded:$line"* ]] || fail "[$line] was not refused: '$text'"
  press_enter_on_box || fail "the refusal of [$line] did not take Enter"
  wait_until 30 ended "$START_PID" || fail "the start for [$line] is still running"
  cmp -s "$E2E_DIR/one two.txt" "$E2E_DIR/one.orig" && cmp -s "$E2E_DIR/three.txt" "$E2E_DIR/three.orig" ||
    fail "a file changed after [$line]"
done

# The copy keeps its settings under its own name; its first start is a fresh one.
copy_settings='HKCU\Software\Glimmerfold-1.2'
reg_delete_key "$copy_settings"
mkdir -p "$E2E_DIR/v 1.2"
cp "$GF_EXE" "$E2E_DIR/v 1.2/Glimmerfold-1.2.exe"
(cd "$E2E_DIR" && exec wine "$E2E_DIR/v 1.2/Glimmerfold-1.2.exe" >/dev/null 2>&1 </dev/null) &
APP_PID=$!
APP_PIDS+=("$APP_PID")
wait_main_window
page 2
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))  # chkRunStart
wait_until 10 reg_is "$copy_settings\\ProgramSettings" AutoRun 1 || fail "ticking Run on Start Up was not stored"
run=$(reg_get "$RUN_KEY" Glimmerfold)
[ "$run" = "\"$E2E_WIN\\v 1.2\\Glimmerfold-1.2.exe\"" ] || fail "the Run value is '$run'"
stop_app

# Nothing else in that folder could start: a window means the copy started.
start_command "$run"
wait_until 20 main_window || fail "the Run value '$run' started nothing"
APP_PIDS+=("$(xdotool getwindowpid "$WID")")
reset_program_state
reg_delete_key "$copy_settings"
echo "start: ok"
