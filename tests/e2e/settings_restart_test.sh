#!/usr/bin/env bash
# Options set on the Settings page survive a restart: the next start restores them,
# restoring "Run on Start Up" writes the Run value again, and clearing it deletes it.
. "$(dirname "$0")/lib.sh"

reset_program_state
start_app
wait_main_window
page 2
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))    # chkRunStart
click $((PAGE_X + 230)) $((PAGE_Y + 30 + 9))   # chkAutoCleanBrowse
click $((PAGE_X + 350)) $((PAGE_Y + 58))       # the minutes box: "1" becomes "5"
xdotool key End BackSpace 5
wait_until 5 reg_is "$SETTINGS\\ProgramSettings" minuteCombo 5 || fail "the minutes were not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoRun 1 || fail "AutoRun was not stored"
reg_is "$SETTINGS\\ProgramSettings" AutoCleanBrowse 1 || fail "AutoCleanBrowse was not stored"
run=$(reg_get "$RUN_KEY" Glimmerfold)
case "$run" in
  '"'*'\Glimmerfold"') note "Run value: $run" ;;
  *) fail "the Run value is '$run'" ;;
esac
shot settings-ticked
stop_app

# Between the starts the Run value goes; the restored option writes it again.
reg_delete_value "$RUN_KEY" Glimmerfold
start_app
wait_main_window
wait_until 10 reg_is "$RUN_KEY" Glimmerfold "?" || fail "the restart did not restore Run on Start Up"
reg_is "$SETTINGS\\ProgramSettings" AutoCleanBrowse 1 || fail "AutoCleanBrowse was lost"
reg_is "$SETTINGS\\ProgramSettings" minuteCombo 5 || fail "the minutes were lost"
page 2
shot settings-restarted
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))
wait_until 5 reg_is "$RUN_KEY" Glimmerfold "" || fail "clearing Run on Start Up left the value"
stop_app
echo "settings restart: ok"
