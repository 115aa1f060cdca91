#!/usr/bin/env bash
# The boss key in the whole program: hot keys registered from the stored combinations,
# pressed for real on the display with the focus on the main window, hide and show
# another program's window by a ticked caption that is part of its title in other
# letter case, and clean.
. "$(dirname "$0")/lib.sh"

reset_program_state
target="GfBossTarget$$"
caption=$(echo "${target:2}" | tr 'A-Z' 'a-z')
printf '%s\r\n' "$caption" >"$E2E_DIR/HWD.dat"
reg_set "$SETTINGS\\ProgramSettings" "$caption" True
for row in "cntrlFirst1 Shift" "cntrlSecond1 F12" "cntrlFirst2 Alt" "cntrlSecond2 F11"; do
  reg_set "$SETTINGS\\ProgramSettings" $row
done
cp "$GF_TEST_BIN/bosskey_target.exe" "$E2E_DIR/"
(cd "$E2E_DIR" && exec wine "$E2E_DIR/bosskey_target.exe" "$target" >/dev/null 2>&1 </dev/null) &
APP_PIDS+=($!)
start_app
wait_main_window
page 2  # the caption list loads when a page is chosen
visible() { [ "$(xdotool search --onlyvisible --name "^$target\$" 2>/dev/null | wc -l)" = "$1" ]; }
wait_until 15 visible 1 || fail "the other program's window did not show"

# Presses keys with the focus on the main window until done holds: a window of another
# program may take the focus between the two.
press_until() {  # <keys> <command...>
  local keys=$1 try; shift
  for try in 1 2 3; do
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
    xdotool key "$keys"
    wait_until 3 "$@" && return 0
  done
  fail "$keys did not take effect"
}

press_until shift+F12 visible 0
xdotool search --onlyvisible --name '^Glimmerfold$' >/dev/null || fail "the main window was hidden too"
press_until alt+F11 visible 1
reg_is "$SETTINGS\\SystemInfo" LastRun "?" && fail "hiding or showing cleaned"
press_until ctrl+F1 reg_is "$SETTINGS\\SystemInfo" LastRun "?"
stop_app
echo "bosskey: ok"
