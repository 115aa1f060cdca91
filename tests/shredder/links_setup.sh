#!/usr/bin/env bash
# Plants Unix symbolic links to a file inside the test executables' folder: Wine shows
# them as plain files, and shredding one must not reach its target.
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
case "$GF_TEST_BIN" in "$GF_BUILD"/*) ;; *) echo "links: $GF_TEST_BIN is outside the build" >&2; exit 1 ;; esac
farm="$GF_TEST_BIN/shredlinks"
rm -rf -- "$farm"  # removes the link, never what it points at
mkdir -p "$farm"
echo target >"$farm/target.txt"
ln -s target.txt "$farm/filelink.txt"
ln -s target.txt "$farm/target.txt "  # differs from its target by a trailing space alone
