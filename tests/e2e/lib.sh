# Sourced by the whole-program tests: the real Glimmerfold.exe under Wine, driven from
# outside with xdotool, in a Wine prefix of their own inside the build folder (so the
# settings, the Run value and the shred verb they check are theirs alone).
set -euo pipefail
: "${GF_BUILD:?}" "${GF_EXE:?}" "${GF_SOURCE:?}"
export GF_PREFIX_NAME=e2e-prefix
. "$GF_SOURCE/tools/sandbox-env.sh"
gf_sandbox_prepare

E2E_DIR="$GF_BUILD/e2e/$(basename "$0" .sh)"
E2E_WIN='D:\e2e\'"$(basename "$0" .sh)"  # the same folder as the program sees it (D: is the build folder)
mkdir -p "$E2E_DIR"
rm -f "$E2E_DIR"/*.txt "$E2E_DIR/failed.png"
cp "$GF_EXE" "$E2E_DIR/Glimmerfold.exe"
APP_PIDS=()
E2E_OWN_XVFB=0

e2e_cleanup() {
  local p
  for p in "${APP_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  gf_stop_wineserver
  [ "$E2E_OWN_XVFB" = 1 ] && gf_stop_xvfb
  return 0
}
trap e2e_cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then gf_start_xvfb; E2E_OWN_XVFB=1; fi
gf_stop_wineserver
gf_start_wineserver

# Ends the test with a message and the screen as it was, beside the test's files.
fail() { echo "FAIL: $*" >&2; /usr/bin/import -window root "$E2E_DIR/failed.png" 2>/dev/null; exit 1; }

# Runs a Windows command of the sandbox with its output in a file (pipes stall Wine).
wine_cmd() {  # <output file> <args...>
  local out=$1; shift
  (cd "$E2E_DIR" && wine "$@" >"$out.raw" 2>/dev/null </dev/null) || true
  tr -d '\r' <"$out.raw" >"$out"
  rm -f "$out.raw"
}

# The registry as 64-bit Windows reads it (Explorer, log-on): Wine's `reg` is 32-bit here and
# would see the program's own view of HKLM\Software; the keys below name 64-bit places.
REG_VIEW=/reg:64

# The data of a REG_SZ value, or nothing when it is missing.
reg_get() {  # <key> <value name, empty for the default value>
  local f="$E2E_DIR/reg.txt" name=(/v "$2")
  [ -n "$2" ] || name=(/ve)
  wine_cmd "$f" reg query "$1" "${name[@]}" $REG_VIEW
  awk -F'    ' '/REG_SZ/ {print $4; exit}' "$f" | sed 's/^ *//'
}
# True when a REG_SZ value holds the text ("?": any text; "": none), for wait_until.
reg_is() {  # <key> <name> <text>
  local v; v=$(reg_get "$1" "$2")
  if [ "$3" = "?" ]; then [ -n "$v" ]; else [ "$v" = "$3" ]; fi
}
reg_has_key() { local f="$E2E_DIR/reg.txt"; wine_cmd "$f" reg query "$1" $REG_VIEW; grep -qi '^HKEY' "$f"; }
reg_delete_key() { wine_cmd "$E2E_DIR/reg.txt" reg delete "$1" /f $REG_VIEW; }
reg_delete_value() { wine_cmd "$E2E_DIR/reg.txt" reg delete "$1" /v "$2" /f $REG_VIEW; }
reg_set() { wine_cmd "$E2E_DIR/reg.txt" reg add "$1" /v "$2" /d "$3" /f $REG_VIEW; }  # <key> <name> <REG_SZ data>

SETTINGS='HKCU\Software\Glimmerfold'
# A 32-bit program's Run value lands in the 32-bit view, which Windows runs at log-on too.
RUN_KEY='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run'
# HKCR\*\shell is shared by both views: the verb is where 64-bit Explorer reads it.
VERB_KEY='HKCR\*\shell\Glimmerfold-Shred File'

# A first start's world: no settings, no Run value, no verb (a key goes with its subkeys).
reset_program_state() {
  reg_delete_key "$SETTINGS"
  reg_delete_value "$RUN_KEY" Glimmerfold
  reg_delete_key "$VERB_KEY"
}

start_app() {  # [args...]; sets APP_PID
  (cd "$E2E_DIR" && exec wine "$E2E_DIR/Glimmerfold.exe" "$@" >/dev/null 2>&1 </dev/null) &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}

# The main window shows (WID: its X window); waits for it and where its client area is.
main_window() { WID=$(xdotool search --onlyvisible --name '^Glimmerfold$' 2>/dev/null | head -1); [ -n "$WID" ]; }
no_main_window() { ! main_window; }
wait_main_window() {
  wait_until 15 main_window || fail "the main window did not show"
  client_origin
  wait_settled ""
}

# The client area is 600 x 497 pixels; the rest of the X window is Wine's frame.
client_origin() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  CX=$((X + (WIDTH - 600) / 2))
  CY=$((Y + HEIGHT - 497 - (WIDTH - 600) / 2))
}

# A fingerprint of what the main window's client area shows now.
client_pixels() { /usr/bin/import -window root -crop "600x497+$CX+$CY" +repage rgb:- 2>/dev/null | md5sum; }

# Waits until the window shows something other than <before> (a click's answer) and then
# stays the same between two looks: the program has drawn what the input asked for.
# A click whose answer draws nothing gives up on the change after a few seconds.
wait_settled() {  # <fingerprint from before the input, or "">
  local before=$1 now last="" end=$((SECONDS + 5))
  while :; do
    now=$(client_pixels)
    if [ "$now" = "$last" ] && { [ "$now" != "$before" ] || [ $SECONDS -ge $end ]; }; then return 0; fi
    [ $SECONDS -lt $((end + 5)) ] || return 0
    last=$now
    sleep 0.1
  done
}

# Clicks at client coordinates of the main window and waits for the answer to show.
click() {  # <x> <y>
  local before; before=$(client_pixels)
  xdotool mousemove --sync $((CX + $1)) $((CY + $2)) click 1
  wait_settled "$before"
}

# Client coordinates of the controls the tests use (the window's design, in pixels).
PAGE_BUTTON_X=80; PAGE_BUTTON_Y=(120 207 293)
PAGE_X=167; PAGE_Y=70
page() { click $PAGE_BUTTON_X "${PAGE_BUTTON_Y[$1]}"; }

wait_until() {  # <seconds> <command...>
  local end=$((SECONDS + $1)); shift
  while ! "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.3
  done
}

# A start as Windows makes it from a command (widestart.exe): a verb's command with the text
# in place of %1, or, without a text, a Run value as it stands. Sets START_PID.
start_command() {  # <command> [text]
  (cd "$E2E_DIR" && exec wine "$GF_TEST_BIN/widestart.exe" "$@" >/dev/null 2>&1 </dev/null) &
  START_PID=$!
  APP_PIDS+=("$START_PID")
}
ended() { ! kill -0 "$1" 2>/dev/null; }

# The box of a shred start (its question or a message) shows; BOX: its X window.
shred_box() { BOX=$(xdotool search --onlyvisible --name '^Glimmerfold File Shredder$' 2>/dev/null | head -1); [ -n "$BOX" ]; }
shred_box_gone() { ! xdotool getwindowname "$BOX" >/dev/null 2>&1; }
# What the box says, its lines joined.
shred_box_text() {
  wine_cmd "$E2E_DIR/boxrun.txt" "$GF_TEST_BIN/boxtext.exe" "Glimmerfold File Shredder" "$E2E_WIN\\box.txt"
  tr -d '\r\n' <"$E2E_DIR/box.txt"
}
# Enter on the box (its default button), again if a window of another program took the keyboard.
press_enter_on_box() {
  local try
  for try in 1 2 3 4 5; do
    xdotool windowfocus --sync "$BOX" 2>/dev/null
    xdotool key Return
    wait_until 3 shred_box_gone && return 0
  done
  return 1
}

# Ends a start of the program that this test made, and waits until its window is gone:
# a start made while it lingers would find the old instance and end at once.
stop_app() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  wait_until 20 no_main_window || fail "the program's window did not go"
}
