#!/usr/bin/env bash
# Screenshots of the main window's three pages (Home, Cleaning, Settings) on a screen of
# the given scales, to see how the window looks there:
#   tools/screenshots.sh [dots per inch ...]   (default: 96 120 144)
# Each scale runs the program in a sandbox prefix of its own, set to that scale, on a
# virtual display of its own; the pictures go to build/screenshots/page<N>_<dpi>.png.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
"$src/tools/build.sh" --target Glimmerfold
export GF_BUILD
GF_BUILD=$(cd "${GF_BUILD_DIR:-$src/build}" && pwd)
out="$GF_BUILD/screenshots"
mkdir -p "$out"
[ $# -gt 0 ] || set -- 96 120 144

shoot() {  # <dpi>; runs in a subshell of its own, whose exit ends what it started
  local dpi=$1 wid i
  app=
  export GF_PREFIX_NAME="shots-$dpi"
  . "$src/tools/sandbox-env.sh"
  gf_sandbox_prepare
  cd "$GF_BUILD"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  # Not a first start: no shred verb, nothing but the window.
  wine reg add 'HKCU\Software\Glimmerfold\FirstRun' /v FirstRun /d 1 /f >/dev/null 2>&1 </dev/null
  wineserver -w
  gf_start_xvfb
  trap 'if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi; gf_stop_wineserver; gf_stop_xvfb' EXIT
  cd "$GF_BUILD/bin"
  wine "$GF_BUILD/bin/Glimmerfold.exe" >/dev/null 2>&1 </dev/null &
  app=$!
  wid=""
  for i in $(seq 1 60); do
    wid=$(xdotool search --onlyvisible --name '^Glimmerfold$' 2>/dev/null | head -1) && [ -n "$wid" ] && break
    sleep 0.25
  done
  if [ -z "$wid" ]; then
    echo "screenshots: the window did not show at $dpi dpi" >&2
  else
    sleep 1
    local X Y WIDTH HEIGHT SCREEN page y
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    # The client area is 600 x 497 pixels at every scale; the page buttons lie at x 80,
    # y 120, 207 and 293 of it.
    local cx=$((X + (WIDTH - 600) / 2)) cy=$((Y + HEIGHT - 497 - (WIDTH - 600) / 2))
    for page in 0 1 2; do
      y=$(echo "120 207 293" | cut -d' ' -f$((page + 1)))
      xdotool mousemove --sync $((cx + 80)) $((cy + y)) click 1
      sleep 1.5
      /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$out/page${page}_$dpi.png"
    done
    echo "$out/page{0,1,2}_$dpi.png"
  fi
}

for dpi in "$@"; do (shoot "$dpi"); done
