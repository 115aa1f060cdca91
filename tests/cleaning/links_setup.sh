#!/usr/bin/env bash
# Makes the links the cleaning tests need: Wine makes none itself, but shows a Unix link to a
# folder as a folder with the reparse-point attribute, and one to a file as a plain file.
# Every link lies in the test executables' folder or the prefix's C: and points at one of them.
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
case "$GF_TEST_BIN" in "$GF_BUILD"/*) ;; *) echo "links: $GF_TEST_BIN is outside the build" >&2; exit 1 ;; esac
GF_PREFIX_NAME="${GF_PREFIX_NAME:-test-prefix}"
. "$(dirname "$0")/../../tools/sandbox-env.sh"
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
# A cache whose file links to the same name in another case: another folder on this disk.
mkdir -p "$farm/INetCache" "$farm/INETCACHE"
echo precious >"$farm/INETCACHE/precious.txt"
ln -s ../INETCACHE/precious.txt "$farm/INetCache/precious.txt"
# Other names of the system and the profile: E: as a second drive letter for C: (the
# sandbox keeps no other drive), and a link to C: with a long name (so with an 8.3 one
# too). A canary in each folder that no clean may empty.
drive_c="$WINEPREFIX/drive_c"
profile="users/$(id -un)"
[ -d "$drive_c/windows/syswow64" ] && [ -d "$drive_c/$profile" ] || { echo "links: no prefix at $WINEPREFIX" >&2; exit 1; }
ln -sfn ../drive_c "$WINEPREFIX/dosdevices/e:"
ln -s "$drive_c" "$farm/system drive"
for folder in . windows windows/system32 windows/syswow64 users "$profile"; do
  mkdir -p "$drive_c/$folder/glimmerfold-canary"
  echo canary >"$drive_c/$folder/glimmerfold-canary.txt"
  echo canary >"$drive_c/$folder/glimmerfold-canary/canary.txt"
done
# The same folders as links of their own, straight to them: none of them may be emptied.
for folder in windows windows/system32 windows/syswow64 users; do
  ln -s "$drive_c/$folder" "$farm/to ${folder#windows/}"
done
ln -s "$drive_c/$profile" "$farm/to profile"
ln -s "$drive_c" "$farm/to C"
# Folders moved to C: and linked back from D: (a Temp, a cache, cookies, a Firefox profile
# behind files in its Profiles folder, and one to remove), each with a link inside to a
# folder that keeps its file.
moved="$drive_c/users/glimmerfold-moved"
rm -rf -- "$moved"
mkdir -p "$moved/kept" "$moved/Gone/deep" "$farm/appdata/Mozilla/Firefox/Profiles"
echo kept >"$moved/kept/kept.txt"
echo trace >"$moved/Gone/deep/trace.txt"
ln -s "$moved/Gone" "$farm/linked Gone"
for folder in Temp Cache Cookies Profile; do
  mkdir -p "$moved/$folder"
  ln -s ../kept "$moved/$folder/inner link"
  ln -s "$moved/$folder" "$farm/linked $folder"
done
ln -s "$moved/Profile" "$farm/appdata/Mozilla/Firefox/Profiles/linked.default"
