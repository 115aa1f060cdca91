#!/usr/bin/env bash
# Small disks on which the shredder's writes and flushes fail for real, mounted under
# the test executables' folder (drive D: of the sandbox). They are mounted where the
# wineserver, which opens every file, sees them: a private mount namespace (unshare)
# would hide them from it. disks_cleanup.sh unmounts them after the tests, passed or
# failed; a run cut short leaves them to the next set-up, which unmounts them first.
#   full/   a 4 MiB tmpfs: the fifth 1 MiB write of a larger sparse file finds it full.
#   flaky/  an ext4 disk whose backing file lies on a full tmpfs, with holes punched in
#           it under the first 32 MiB of flaky/flush.bin: writing those back fails, and
#           only the next flush says so; the file's last 8 MiB are written back fine.
# A disk that cannot be made leaves the reason in <name>.skip for the test to report.
#   disks_setup.sh [--unmount]
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
build=$(realpath -e -- "$GF_BUILD")
mkdir -p -- "$GF_TEST_BIN"
bin=$(realpath -e -- "$GF_TEST_BIN")
case "$bin" in "$build"/*) ;; *) echo "disks: $bin is outside the build" >&2; exit 1 ;; esac
base="$bin/shreddisks"

unmount_all() {
  local m
  for m in "$base/flaky" "$base/back" "$base/full"; do  # the ext4 disk before its backing
    if [ -L "$m" ]; then echo "disks: $m is a link" >&2; return 1; fi
    while mountpoint -q -- "$m"; do umount -- "$m" 2>/dev/null || umount -l -- "$m" || return 1; done
  done
}

unmount_all
[ "${1:-}" = --unmount ] && exit 0
rm -rf --one-file-system -- "$base"
mkdir -p "$base/full" "$base/back" "$base/flaky"
skip() { echo "$2" >"$base/$1.skip"; echo "disks: $1: $2" >&2; }

if ! err=$(mount -t tmpfs -o size=4m tmpfs "$base/full" 2>&1); then
  why="no small tmpfs could be mounted where the wineserver sees it (that takes root): $err"
  skip full "$why"
  skip flaky "$why"
  exit 0
fi
mount -t tmpfs -o size=48m tmpfs "$base/back"
truncate -s 64M "$base/back/disk.img"
if ! err=$( { mkfs.ext4 -q -F -b 4096 -O ^has_journal "$base/back/disk.img" &&
              mount -o loop,errors=continue "$base/back/disk.img" "$base/flaky"; } 2>&1); then
  skip flaky "an ext4 disk on a loop device could not be made: $err"
  exit 0
fi
dd if=/dev/zero of="$base/flaky/flush.bin" bs=1M count=40 conv=fsync status=none
# filefrag lists the file's extents in disk blocks: "n: first..last: first..last: ...".
filefrag -e -v "$base/flaky/flush.bin" | awk -F'[:.]+' -v head=$((32 << 20)) '
  $2 ~ /^ *[0-9]+ *$/ && NF >= 6 {
    from = $2 * 4096; size = ($3 - $2 + 1) * 4096
    if (from >= head) next
    if (from + size > head) size = head - from
    print $4 * 4096, size }' |
  while read -r offset size; do
    fallocate --punch-hole --offset "$offset" --length "$size" "$base/back/disk.img"
  done
dd if=/dev/zero of="$base/back/filler" bs=64k status=none 2>/dev/null || true  # fills the backing tmpfs
