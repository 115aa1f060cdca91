#!/usr/bin/env bash
# Plants what Wine cannot make itself inside the test executables' folder: Unix symbolic
# links to a file (Wine shows them as plain files; shredding one must not reach its
# target), one whose target differs in letter case alone, a second name (hard link) of
# a file in another folder, and two names that differ in letter case alone.
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
case "$GF_TEST_BIN" in "$GF_BUILD"/*) ;; *) echo "links: $GF_TEST_BIN is outside the build" >&2; exit 1 ;; esac
farm="$GF_TEST_BIN/shredlinks"
rm -rf -- "$farm"  # removes the link, never what it points at
mkdir -p "$farm/keep" "$farm/t" "$farm/T"
echo target >"$farm/target.txt"
ln -s target.txt "$farm/filelink.txt"
ln -s target.txt "$farm/target.txt "  # differs from its target by a trailing space alone
echo upper >"$farm/T/a.txt"
ln -s ../T/a.txt "$farm/t/a.txt"
echo kept >"$farm/keep/c3.txt"
ln "$farm/keep/c3.txt" "$farm/hard.txt"
echo one >"$farm/Twin.txt"
echo two >"$farm/twin.txt"
