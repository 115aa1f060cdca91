#!/usr/bin/env bash
# The first start stores "FirstRun" and "useShredder", creates the shred verb and keeps
# both through the next option touched; the window is dragged by its background;
# options set on the Settings page are stored; a second start beside it ends at once
# and writes nothing.
. "$(dirname "$0")/lib.sh"

# The program under test is the 32-bit one: its PE header names the i386 machine (014c).
machine=$(od -An -tx1 -j $(( $(od -An -tu4 -j60 -N4 "$GF_EXE") + 4 )) -N2 "$GF_EXE" | tr -d ' ')
[ "$machine" = 4c01 ] || fail "Glimmerfold.exe is not a 32-bit program (machine $machine)"

reset_program_state
start_app
wait_main_window
wait_until 10 reg_is "$SETTINGS\\FirstRun" FirstRun 1 || fail "FirstRun was not stored"
reg_is "$SETTINGS\\ProgramSettings" useShredder 1 && reg_has_key "$VERB_KEY" || fail "the shredder is not on"
shot first-start-home

# Held down on the background, the window follows the pointer.
x0=$CX; y0=$CY
moved() { client_origin; [ "$((CX - x0)),$((CY - y0))" = "$1" ]; }
xdotool mousemove --sync $((x0 + 400)) $((y0 + 30)) mousedown 1 mousemove --sync $((x0 + 460)) $((y0 + 70))
wait_until 5 moved 60,40 || fail "the window did not follow the pointer"
xdotool mousemove --sync $((x0 + 480)) $((y0 + 90)) mouseup 1
wait_until 5 moved 80,60 || fail "dragging moved the window by $((CX - x0)),$((CY - y0))"

page 2
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))    # chkRunStart
click $((PAGE_X + 230)) $((PAGE_Y + 30 + 9))   # chkAutoCleanBrowse
click $((PAGE_X + 350)) $((PAGE_Y + 58))       # the minutes box: "1" becomes "5"
xdotool key End BackSpace 5
wait_until 5 reg_is "$SETTINGS\\ProgramSettings" minuteCombo 5 || fail "the minutes were not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoRun 1 || fail "AutoRun was not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoCleanBrowse 1 || fail "AutoCleanBrowse was not stored"
# The first start showed the shredder on, so the options stored since keep it on.
reg_is "$SETTINGS\\ProgramSettings" useShredder 1 && reg_has_key "$VERB_KEY" || fail "touching an option turned the shredder off"
reg_is "$RUN_KEY" Glimmerfold "?" || fail "the Run value was not written"
shot settings-ticked

# The second start: the store and the registry stay as they are, and it ends by itself.
wine_cmd "$E2E_DIR/before.txt" reg export 'HKCU\Software\Glimmerfold' 'D:\e2e\first_start_test\before.reg' /y $REG_VIEW
reg_delete_key "$VERB_KEY"
first=$APP_PID
start_app
wait_until 10 eval "! kill -0 $APP_PID 2>/dev/null" || fail "the second start did not end by itself"
wine_cmd "$E2E_DIR/after.txt" reg export 'HKCU\Software\Glimmerfold' 'D:\e2e\first_start_test\after.reg' /y $REG_VIEW
cmp -s "$E2E_DIR/before.reg" "$E2E_DIR/after.reg" || fail "the second start changed the settings"
reg_has_key "$VERB_KEY" && fail "the second start created the shred verb again"
[ "$(xdotool search --onlyvisible --name '^Glimmerfold$' | wc -l)" = 1 ] || fail "more than one main window"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
APP_PID=$first
stop_app
echo "first start: ok"
