#!/usr/bin/env bash
# Carries out X display actions (xdotool) for tests that run under Wine: the sandbox
# gives Wine no way to start Linux programs, so a test writes a request file into the
# exchange folder <build>/xdo (D:\xdo for the test) and this server, started outside
# Wine as a CTest fixture, answers it.
#
#   xdo_driver.sh start <build>   fixture set-up: starts the server in the background
#   xdo_driver.sh stop <build>    fixture clean-up: ends it
#
# Request <name>.req: a verb on the first line, its argument on the second.
#   focus <title>     keyboard focus (windowfocus --sync) on the first visible window
#                     whose name matches <title>; prints its id
#   key <keys>        xdotool key <keys>, e.g. ctrl+F1
#   visible <title>   ids of the visible windows whose name matches <title>
# Answer <name>.out: the exit code on the first line, then the output. Only these
# verbs, and only plain titles and key names, are accepted: nothing a request holds
# is ever run as a command.
set -uo pipefail

exchange_dir() {
  local build
  build=$(cd "$1" 2>/dev/null && pwd) || { echo "xdo_driver: no build folder $1" >&2; exit 2; }
  [ -f "$build/CMakeCache.txt" ] || { echo "xdo_driver: $build is not a build folder" >&2; exit 2; }
  echo "$build/xdo"
}

answer() {  # <request stem> <code> <output>
  printf '%s\n%s\n' "$2" "$3" >"$1.tmp"
  mv -f "$1.tmp" "$1.out"
}

handle() {
  local req=$1 stem=${1%.req} verb arg out code
  mapfile -t lines < <(tr -d '\r' <"$req")
  rm -f "$req"
  verb=${lines[0]:-}
  arg=${lines[1]:-}
  case "$verb" in
    focus|visible)
      if [[ ! "$arg" =~ ^[A-Za-z0-9_.\ -]{1,200}$ ]]; then answer "$stem" 64 "bad title"; return; fi ;;
    key)
      if [[ ! "$arg" =~ ^[A-Za-z0-9_+]{1,64}$ ]]; then answer "$stem" 64 "bad keys"; return; fi ;;
    *) answer "$stem" 64 "unknown verb"; return ;;
  esac
  case "$verb" in
    focus)
      out=$(timeout 10 xdotool search --onlyvisible --name "$arg" 2>&1 | head -n1)
      if [[ "$out" =~ ^[0-9]+$ ]]; then
        timeout 10 xdotool windowfocus --sync "$out" >/dev/null 2>&1
        code=$?
      else
        code=1
      fi ;;
    key)
      out=$(timeout 10 xdotool key "$arg" 2>&1)
      code=$? ;;
    visible)
      out=$(timeout 10 xdotool search --onlyvisible --name "$arg" 2>/dev/null)
      code=$? ;;
  esac
  answer "$stem" "$code" "$out"
}

serve() {  # <exchange dir> <pid to outlive>
  local dir=$1 watch=$2 req
  while kill -0 "$watch" 2>/dev/null && [ ! -e "$dir/stop" ]; do
    for req in "$dir"/*.req; do
      [ -e "$req" ] && handle "$req"
    done
    sleep 0.05
  done
}

case "${1:-}" in
  start)
    dir=$(exchange_dir "${2:?build folder}") || exit 2
    [ -n "${DISPLAY:-}" ] || { echo "xdo_driver: no DISPLAY" >&2; exit 1; }
    command -v xdotool >/dev/null || { echo "xdo_driver: xdotool missing" >&2; exit 1; }
    mkdir -p "$dir"
    rm -f "$dir"/*.req "$dir"/*.out "$dir"/*.tmp "$dir/stop"
    # Detached, stdio closed: CTest must not wait on it. It ends with CTest at the latest.
    setsid bash "$0" serve "$dir" "$PPID" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/driver.pid"
    ;;
  stop)
    dir=$(exchange_dir "${2:?build folder}") || exit 2
    touch "$dir/stop"
    if [ -f "$dir/driver.pid" ]; then
      pid=$(cat "$dir/driver.pid")
      if grep -q xdo_driver "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid" 2>/dev/null; fi
      rm -f "$dir/driver.pid"
    fi
    ;;
  serve)
    serve "$2" "$3"
    ;;
  *)
    echo "usage: $0 start|stop <build folder>" >&2
    exit 2
    ;;
esac
