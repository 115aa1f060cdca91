#!/usr/bin/env bash
# The running program cleans and hides. Items ticked on the Cleaning page and the Clean
# button on the Home page erase a prepared profile inside the sandbox prefix: the temp
# folder's entries and Opera's cookie file, and nothing else. Hot keys registered from the
# stored combinations, pressed for real with the focus on the main window, hide and show
# another program's window by a ticked caption that is part of its title in other letter
# case, and clean.
. "$(dirname "$0")/lib.sh"

reset_program_state
target="GfBossTarget$$"
caption=$(echo "${target:2}" | tr 'A-Z' 'a-z')
printf '%s\r\n' "$caption" >"$E2E_DIR/HWD.dat"
reg_set "$SETTINGS\\ProgramSettings" "$caption" True
for row in "cntrlFirst1 Shift" "cntrlSecond1 F12" "cntrlFirst2 Alt" "cntrlSecond2 F11"; do
  reg_set "$SETTINGS\\ProgramSettings" $row
done
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
mkdir -p "$temp/gf-e2e-folder"
echo trace >"$temp/gf-e2e-1.tmp"
echo trace >"$temp/gf-e2e-folder/inner.tmp"
cp "$GF_TEST_BIN/bosskey_target.exe" "$E2E_DIR/"
(cd "$E2E_DIR" && exec wine "$E2E_DIR/bosskey_target.exe" "$target" >/dev/null 2>&1 </dev/null) &
APP_PIDS+=($!)
start_app
wait_main_window
appdata=$(reg_get 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' APPDATA)
[ -n "$appdata" ] || fail "no APPDATA shell folder in the prefix"
# C:\users\<user>\AppData\Roaming -> the prefix's drive_c. The paths are read at
# start-up; they name the same folders before and after.
opera="$WINEPREFIX/drive_c/$(echo "${appdata#?:\\}" | tr '\\' '/')/Opera/Opera/profile"
mkdir -p "$opera"
echo cookie >"$opera/cookies4.dat"
echo keep >"$opera/keep.dat"

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
main_window || fail "the main window was hidden too"
press_until alt+F11 visible 1
reg_is "$SETTINGS\\SystemInfo" LastRun "?" && fail "hiding or showing cleaned"

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
shot home-after-clean
echo cookie >"$opera/cookies4.dat"
press_until ctrl+F1 test ! -e "$opera/cookies4.dat"
stop_app
echo "clean and hide: ok"
