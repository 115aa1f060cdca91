#!/usr/bin/env bash
# Runs one Windows program of the build inside the build's Wine sandbox (CTest's
# emulator). Output goes through files: Wine's services would otherwise inherit
# CTest's pipe and hold it open.
set -uo pipefail
exe=$(readlink -f "$1"); shift
if [ -z "${GF_BUILD:-}" ]; then
  d=$(dirname "$exe")
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  GF_BUILD="$d"
fi
export GF_PREFIX_NAME="${GF_PREFIX_NAME:-test-prefix}"
. "$(dirname "$(readlink -f "$0")")/sandbox-env.sh"
gf_sandbox_prepare || exit 1
case "$exe" in
  "$GF_BUILD"/*) ;;
  *) echo "wine-run: $exe lies outside the build folder" >&2; exit 1 ;;
esac
out=$(mktemp "$GF_SANDBOX/out.XXXXXX")
err=$(mktemp "$GF_SANDBOX/err.XXXXXX")
cd "$(dirname "$exe")" || exit 1
wine "$exe" "$@" >"$out" 2>"$err" </dev/null
rc=$?
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
rm -f "$out" "$err"
exit $rc
