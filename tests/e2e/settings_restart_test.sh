#!/usr/bin/env bash
# Options set on the Settings page survive a restart: the next start restores them,
# and restoring "Run on Start Up" writes the Run value again.
. "$(dirname "$0")/lib.sh"

reset_program_state
start_app
wait_main_window
page 2
shot settings
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))    # chkRunStart
click $((PAGE_X + 230)) $((PAGE_Y + 30 + 9))   # chkAutoCleanBrowse
# The minutes box: replace "1" by "5".
click $((PAGE_X + 350)) $((PAGE_Y + 58))
xdotool key End BackSpace 5
sleep 0.5
wait_until 5 reg_is "$SETTINGS\\ProgramSettings" AutoRun 1 || fail "AutoRun was not stored"
[ "$(reg_get "$SETTINGS\\ProgramSettings" AutoCleanBrowse)" = 1 ] || fail "AutoCleanBrowse was not stored"
[ "$(reg_get "$SETTINGS\\ProgramSettings" minuteCombo)" = 5 ] || fail "the minutes were not stored"
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
kill -0 "$APP_PID" 2>/dev/null || fail "the restart ended at once"
wait_until 10 reg_is "$RUN_KEY" Glimmerfold "?" || fail "the restart did not restore Run on Start Up"
[ "$(reg_get "$SETTINGS\\ProgramSettings" AutoCleanBrowse)" = 1 ] || fail "AutoCleanBrowse was lost"
[ "$(reg_get "$SETTINGS\\ProgramSettings" minuteCombo)" = 5 ] || fail "the minutes were lost"
page 0
shot home-restarted
page 2
shot settings-restarted
# Clearing the option deletes the value again.
click $((PAGE_X + 40)) $((PAGE_Y + 49 + 9))
wait_until 5 reg_is "$RUN_KEY" Glimmerfold "" || fail "clearing Run on Start Up left the value"
stop_app
echo "settings restart: ok"
