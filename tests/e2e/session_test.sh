#!/usr/bin/env bash
# One session of the real program, driven from outside: the first start turns the
# shredder on and keeps it through the options touched; the hide and show hot keys act on
# another program's window by a ticked caption from the start, before any page is chosen,
# and leave the window of an unticked one; the window drags by its background; options on
# the Settings page are stored; the Clean button and the clean hot key
# erase what the ticked items name in the sandbox prefix and nothing else; a second
# start beside it ends at once and writes nothing.
. "$(dirname "$0")/lib.sh"

# The program under test is the 32-bit one: its PE header names the i386 machine (014c).
machine=$(od -An -tx1 -j $(( $(od -An -tu4 -j60 -N4 "$GF_EXE") + 4 )) -N2 "$GF_EXE" | tr -d ' ')
[ "$machine" = 4c01 ] || fail "Glimmerfold.exe is not a 32-bit program (machine $machine)"

reset_program_state
target="GfBossTarget$$"
bystander="GfBossBystander$$"
caption=$(echo "${target:2}" | tr 'A-Z' 'a-z')
printf '%s\r\n' "$caption" "$bystander" >"$E2E_DIR/HWD.dat"  # the second caption is not ticked
reg_set "$SETTINGS\\ProgramSettings" "$caption" True
for row in "cntrlFirst1 Shift" "cntrlSecond1 F12" "cntrlFirst2 Alt" "cntrlSecond2 F11"; do
  reg_set "$SETTINGS\\ProgramSettings" $row
done
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
mkdir -p "$temp/gf-e2e-folder"
echo trace >"$temp/gf-e2e-1.tmp"
echo trace >"$temp/gf-e2e-folder/inner.tmp"
cp "$GF_TEST_BIN/bosskey_target.exe" "$E2E_DIR/"
for title in "$target" "$bystander"; do
  (cd "$E2E_DIR" && exec wine "$E2E_DIR/bosskey_target.exe" "$title" >/dev/null 2>&1 </dev/null) &
  APP_PIDS+=($!)
done
start_app
wait_main_window
wait_until 10 reg_is "$SETTINGS\\FirstRun" FirstRun 1 || fail "FirstRun was not stored"
reg_is "$SETTINGS\\ProgramSettings" useShredder 1 && reg_has_key "$VERB_KEY" || fail "the shredder is not on"
appdata=$(reg_get 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' APPDATA)
[ -n "$appdata" ] || fail "no APPDATA shell folder in the prefix"
# C:\users\<user>\AppData\Roaming in the prefix's drive_c, read at start-up.
opera="$WINEPREFIX/drive_c/$(echo "${appdata#?:\\}" | tr '\\' '/')/Opera/Opera/profile"
mkdir -p "$opera"
echo cookie >"$opera/cookies4.dat"
echo keep >"$opera/keep.dat"

visible() { [ "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l)" = "$2" ]; }
wait_until 15 visible "$target" 1 || fail "the other program's window did not show"
wait_until 15 visible "$bystander" 1 || fail "the bystander's window did not show"
# Keys pressed on the main window until done holds: another program may take the focus.
press_until() {  # <keys> <command...>
  local keys=$1 try; shift
  for try in 1 2 3; do
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
    xdotool key "$keys"
    wait_until 3 "$@" && return 0
  done
  fail "$keys did not take effect"
}
press_until shift+F12 visible "$target" 0
main_window || fail "the main window was hidden too"
visible "$bystander" 1 || fail "the window of an unticked caption was hidden"
press_until alt+F11 visible "$target" 1
reg_is "$SETTINGS\\SystemInfo" LastRun "?" && fail "hiding or showing cleaned"

# Held down on the background, the window follows the pointer.
x0=$CX; y0=$CY
moved() { client_origin; [ "$((CX - x0)),$((CY - y0))" = "$1" ]; }
xdotool mousemove --sync $((x0 + 400)) $((y0 + 30)) mousedown 1 mousemove --sync $((x0 + 460)) $((y0 + 70))
wait_until 5 moved 60,40 || fail "the window did not follow the pointer"
xdotool mousemove --sync $((x0 + 480)) $((y0 + 90)) mouseup 1
wait_until 5 moved 80,60 || fail "dragging moved the window by $((CX - x0)),$((CY - y0))"

page 2
# The page button's click leaves the focus on the page's first box: Tab, then Space ticks
# the second, "Run on Start Up".
xdotool windowfocus --sync "$WID" key Tab space
click $((PAGE_X + 230)) $((PAGE_Y + 30 + 9))   # chkAutoCleanBrowse
click $((PAGE_X + 350)) $((PAGE_Y + 58))       # the minutes box: "1" becomes "5"
xdotool key End BackSpace 5
wait_until 5 reg_is "$SETTINGS\\ProgramSettings" minuteCombo 5 || fail "the minutes were not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoRun 1 || fail "AutoRun was not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoCleanBrowse 1 || fail "AutoCleanBrowse was not stored"
# The first start showed the shredder on, so the options stored since keep it on.
reg_is "$SETTINGS\\ProgramSettings" useShredder 1 && reg_has_key "$VERB_KEY" || fail "an option turned the shredder off"
reg_is "$RUN_KEY" Glimmerfold "?" || fail "the Run value was not written"


page 1
click 427 90                                         # the Windows tab
click $((PAGE_X + 40)) $((PAGE_Y + 44 + 84 + 9))     # chkWindows(2), "Windows Temp Folder"
click 223 90                                         # the Internet tab
click $((PAGE_X + 246)) $((PAGE_Y + 44 + 94 + 9))    # chkInternet(10), Opera "Cookies"
wait_until 5 reg_is "$SETTINGS\\Settings" chkWindows2 1 || fail "ticking the temp folder was not stored"
wait_until 5 reg_is "$SETTINGS\\Settings" chkInternet10 1 || fail "ticking Opera cookies was not stored"
page 0
click $((PAGE_X + 142 + 68)) $((PAGE_Y + 196 + 28))  # Clean
wait_until 20 test ! -e "$opera/cookies4.dat" || fail "Opera's cookie file is still there"
wait_until 20 test ! -e "$temp/gf-e2e-1.tmp" || fail "the temp folder's file is still there"
[ ! -e "$temp/gf-e2e-folder" ] || fail "the temp folder's sub-folder is still there"
[ -e "$opera/keep.dat" ] || fail "a file the item does not name was erased"
wait_until 10 reg_is "$SETTINGS\\SystemInfo" LastRun "?" || fail "LastRun was not stored"
echo cookie >"$opera/cookies4.dat"
press_until ctrl+F1 test ! -e "$opera/cookies4.dat"

# The second start: the store and the registry stay as they are, and it ends by itself.
wine_cmd "$E2E_DIR/before.txt" reg export "$SETTINGS" 'D:\e2e\session_test\before.reg' /y $REG_VIEW
reg_delete_key "$VERB_KEY"
first=$APP_PID
start_app
wait_until 10 eval "! kill -0 $APP_PID 2>/dev/null" || fail "the second start did not end by itself"
wine_cmd "$E2E_DIR/after.txt" reg export "$SETTINGS" 'D:\e2e\session_test\after.reg' /y $REG_VIEW
cmp -s "$E2E_DIR/before.reg" "$E2E_DIR/after.reg" || fail "the second start changed the settings"
reg_has_key "$VERB_KEY" && fail "the second start created the shred verb again"
[ "$(xdotool search --onlyvisible --name '^Glimmerfold$' | wc -l)" = 1 ] || fail "more than one main window"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
APP_PID=$first
stop_app
echo "session: ok"
