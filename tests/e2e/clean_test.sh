#!/usr/bin/env bash
# Ticking items on the Cleaning page and pressing Clean on the Home page erases a
# prepared profile inside the sandbox prefix: the temp folder's entries and Opera's
# cookie file, and nothing else.
. "$(dirname "$0")/lib.sh"

reset_program_state
temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
mkdir -p "$temp/gf-e2e-folder"
echo trace >"$temp/gf-e2e-1.tmp"
echo trace >"$temp/gf-e2e-folder/inner.tmp"
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
stop_app
echo "clean: ok"
