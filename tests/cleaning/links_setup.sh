#!/usr/bin/env bash
# Makes the links the cleaning tests need. Wine cannot make links itself (its
# CreateSymbolicLinkW makes nothing, and it takes no junctions), but it shows a Unix
# symbolic link to a folder as a folder with the reparse-point attribute, and one to a
# file as a plain file. Every link lies inside the test executables' folder and points
# at a folder or file inside it.
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
case "$GF_TEST_BIN" in "$GF_BUILD"/*) ;; *) echo "links: $GF_TEST_BIN is outside the build" >&2; exit 1 ;; esac
farm="$GF_TEST_BIN/linkfarm"
rm -rf -- "$farm"  # removes the links, never what they point at
mkdir -p "$farm/outside/sub" "$farm/emptytarget"
echo canary >"$farm/outside/canary.txt"
echo deep >"$farm/outside/sub/deep.txt"
for place in cache temp; do
  mkdir -p "$farm/$place/nested"
  ln -s ../outside "$farm/$place/dirlink"                # a folder link with contents behind it
  ln -s ../emptytarget "$farm/$place/emptylink"          # removing it would remove its empty target
  ln -s ../../outside "$farm/$place/nested/deeplink"     # a link inside a folder that goes
  ln -s ../outside/canary.txt "$farm/$place/filelink"    # a file link: a plain file to Windows
done
