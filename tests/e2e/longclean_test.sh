#!/usr/bin/env bash
# A long item in the real program: a Temp folder of 50,000 files. While it is emptied the main
# window answers every message within a second; "Exit" from the tray menu meanwhile ends the
# run and the program without a crash, leaves what was erased erased and the rest in place,
# and stores no time for the clean that did not finish.
. "$(dirname "$0")/lib.sh"
reset_program_state
reg_set "$SETTINGS\\FirstRun" FirstRun 1
reg_set "$SETTINGS\\Settings" chkWindows2 1  # "Windows Temp Folder" alone
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
total=50000
rm -rf -- "$temp/gf-long"  # the prefix's own; a run that failed may have left it
python3 - "$temp/gf-long" "$total" <<'PY'
import os, sys
root, total = sys.argv[1], int(sys.argv[2])
for d in range(total // 1000):
    folder = os.path.join(root, "d%02d" % d)
    os.makedirs(folder, exist_ok=True)
    for f in range(1000):
        with open(os.path.join(folder, "f%04d.tmp" % f), "w") as out:
            out.write("trace\n")
PY
left() { { find "$temp/gf-long" -type f 2>/dev/null || true; } | wc -l; }
[ "$(left)" = $total ] || fail "the Temp folder was not filled"

start_app
wait_main_window
rm -f "$E2E_DIR/answers.txt"
(cd "$E2E_DIR" && exec wine "$GF_TEST_BIN/answerprobe.exe" Glimmerfold 'D:\e2e\longclean_test\answers.txt' \
  >/dev/null 2>&1 </dev/null) &
APP_PIDS+=($!)
wait_until 10 test -s "$E2E_DIR/answers.txt" || fail "the probe found no window to ask"
# The clean hot key (a clean started by a click on Clean runs inside the button's click, and
# Wine then closes a menu opened meanwhile at once).
under_way() { [ "$(left)" -lt $((total - 2000)) ]; }
for try in 1 2 3; do
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  xdotool key ctrl+F1
  wait_until 10 under_way && break
done
under_way || fail "the clean did not start on the Temp folder"
sleep 2  # a while of asking during the walk

# The tray's icon (in Wine's tray window at the top left, under the main window until that
# moves), right-clicked, opens the menu at the pointer; its last item, "&Exit", is clicked (the
# keyboard stays with the tray window). Again if the menu did not open.
tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -1)
[ -n "$tray" ] || fail "no tray window"
xdotool windowmove --sync "$WID" 400 300
eval "$(xdotool getwindowgeometry --shell "$tray")"
icon_x=$((X + 10)); icon_y=$((Y + HEIGHT / 2))
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
before=$(left)
for try in 1 2 3; do
  xdotool mousemove --sync 300 300 sleep 0.3 mousemove --sync $icon_x $icon_y sleep 0.5 click 3
  sleep 1
  xdotool mousemove --sync $((icon_x + 30)) $((icon_y + 88)) click 1
  wait_until 10 ended && break
  before=$(left)
done
ended || fail "the program did not end after Exit"
rc=0
wait "$APP_PID" || rc=$?
[ "$rc" = 0 ] || fail "the program ended with $rc"
after=$(left)
[ "$after" -gt 0 ] || fail "the run went on to the end after Exit"
[ "$after" -le "$before" ] || fail "files came back: $before before Exit, $after after"
reg_is "$SETTINGS\\SystemInfo" LastRun "" || fail "a run cut short stored its time"
read -r asks unanswered slowest <"$E2E_DIR/answers.txt"
echo "asked $asks times, $unanswered unanswered, slowest answer $slowest ms; $after of $total files left"
[ "$asks" -ge 10 ] || fail "the window was asked only $asks times"
[ "$unanswered" = 0 ] || fail "the window did not answer $unanswered of $asks times within a second"
rm -rf -- "$temp/gf-long"  # the other tests' cleans need not wade through it
echo "longclean: ok"
