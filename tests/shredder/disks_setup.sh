#!/usr/bin/env bash
# Small disks on which the shredder's writes and flushes fail for real, mounted under the test
# executables' folder (drive D:) where the wineserver, which opens every file, sees them (a
# private mount namespace would hide them). disks_cleanup.sh unmounts them after the tests;
# a run cut short leaves them to the next set-up, which unmounts them first.
#   full/   a 4 MiB tmpfs: the fifth 1 MiB write of a larger sparse file finds it full.
#   flaky/  ext4 in a file on a full tmpfs, with holes punched in that file under flush.bin's
#           first 32 MiB and all of last.bin: writing those back fails and only the next flush
#           says so (for flush.bin, one while writing; its last 8 MiB are written back fine).
#           Its writers are paced to its write-back, so that flush fails with bytes to write.
# A disk that cannot be made (or paced) leaves the reason in <name>.skip (or paced.skip).
#   disks_setup.sh [--unmount]
set -euo pipefail
: "${GF_BUILD:?}" "${GF_TEST_BIN:?}"
build=$(realpath -e -- "$GF_BUILD")
mkdir -p -- "$GF_TEST_BIN"
bin=$(realpath -e -- "$GF_TEST_BIN")
case "$bin" in "$build"/*) ;; *) echo "disks: $bin is outside the build" >&2; exit 1 ;; esac
base="$bin/shreddisks"
# The flaky disk's device gets back the write-back pacing that set-up changed.
if [ -f "$base/paced" ]; then
  read -r bdi strict ratio <"$base/paced" || true
  case "$bdi" in /sys/class/bdi/[0-9]*:[0-9]*)
    { echo "$strict" >"$bdi/strict_limit"; echo "$ratio" >"$bdi/max_ratio"; } 2>/dev/null || true ;;
  esac
  rm -f -- "$base/paced"
fi
for m in "$base/flaky" "$base/back" "$base/full"; do  # the ext4 disk before its backing
  [ ! -L "$m" ] || { echo "disks: $m is a link" >&2; exit 1; }
  while mountpoint -q -- "$m"; do umount -- "$m" 2>/dev/null || umount -l -- "$m"; done
done
[ "${1:-}" != --unmount ] || exit 0
rm -rf --one-file-system -- "$base"
mkdir -p "$base/full" "$base/back" "$base/flaky"
skip() { for d in "${@:2}"; do echo "$1" >"$base/$d.skip"; done; echo "disks: ${*:2}: $1" >&2; exit 0; }
err=$(mount -t tmpfs -o size=4m tmpfs "$base/full" 2>&1) ||
  skip "no small tmpfs could be mounted where the wineserver sees it (that takes root): $err" full flaky
mount -t tmpfs -o size=48m tmpfs "$base/back"
truncate -s 64M "$base/back/disk.img"
err=$({ mkfs.ext4 -q -F -b 4096 -O ^has_journal "$base/back/disk.img" &&
        mount -o loop,errors=continue "$base/back/disk.img" "$base/flaky"; } 2>&1) ||
  skip "an ext4 disk on a loop device could not be made: $err" flaky
for file in flush.bin:40:32 last.bin:1:1; do  # name, MiB, MiB from the start to punch under
  IFS=: read -r name mib head <<<"$file"
  dd if=/dev/zero of="$base/flaky/$name" bs=1M count="$mib" conv=fsync status=none
  # filefrag lists the file's extents in disk blocks: "n: first..last: first..last: ...".
  filefrag -e -v "$base/flaky/$name" | awk -F'[:.]+' -v head=$((head << 20)) '
    $2 ~ /^ *[0-9]+ *$/ && NF >= 6 && $2 * 4096 < head {
      size = ($3 - $2 + 1) * 4096; if ($2 * 4096 + size > head) size = head - $2 * 4096
      print $4 * 4096, size }' |
    while read -r offset size; do fallocate --punch-hole --offset "$offset" --length "$size" "$base/back/disk.img"; done
done
dd if=/dev/zero of="$base/back/filler" bs=64k status=none 2>/dev/null || true  # fills the backing tmpfs
# Writers on flaky/ wait once 1 MiB waits for its write-back, which fails: so the flush made
# while writing flush.bin fails with bytes still to write. Undone before the unmount.
bdi=/sys/class/bdi/$(findmnt -no MAJ:MIN -- "$base/flaky" | tr -d ' ')
case "$bdi" in /sys/class/bdi/[0-9]*:[0-9]*) ;; *) skip "no device found under flaky/ to pace" paced ;; esac
echo "$bdi $(cat "$bdi/strict_limit") $(cat "$bdi/max_ratio")" >"$base/paced"
{ echo 1 >"$bdi/strict_limit" && echo $((1 << 20)) >"$bdi/max_bytes"; } 2>/dev/null ||
  skip "the write-back of flaky/ could not be paced through $bdi" paced
