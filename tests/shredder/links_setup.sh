#!/usr/bin/env bash
# Plants what Wine cannot make itself beside the test executables: Unix links to a file (one
# named as its target but for a trailing space, one whose target differs in letter case alone),
# a second name (hard link) of a file in another folder, two names differing in case alone.
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
case "$GF_TEST_BIN" in "$GF_BUILD"/*) ;; *) echo "links: $GF_TEST_BIN is outside the build" >&2; exit 1 ;; esac
farm="$GF_TEST_BIN/shredlinks"
rm -rf -- "$farm"  # removes the links, never what they point at
mkdir -p "$farm/keep" "$farm/t" "$farm/T"
cd "$farm"
echo kept | tee target.txt T/a.txt keep/c3.txt >/dev/null
ln -s target.txt filelink.txt && ln -s target.txt "target.txt " && ln -s ../T/a.txt t/a.txt && ln keep/c3.txt hard.txt
echo one >Twin.txt && echo two >twin.txt
