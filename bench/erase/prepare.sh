#!/usr/bin/env bash
# Three identical cache trees of 100,000 small files in 1,000 folders, made on the Linux
# side (far faster than through Wine): one for our erase, one for a bare walk with no
# checks, one for cmd's rd.
set -euo pipefail
work="$1"
: "${GF_BUILD:?}"
case "$work" in "$GF_BUILD"/*) ;; *) echo "prepare: $work is outside the build" >&2; exit 1 ;; esac
rm -rf -- "$work"
mkdir -p "$work"
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
for tree in ("ours", "bare", "rd"):
    for d in range(1000):
        folder = os.path.join(work, tree, "Content.IE5", "F%04d" % d)
        os.makedirs(folder)
        for f in range(100):
            with open(os.path.join(folder, "entry%03d[1].htm" % f), "wb") as out:
                out.write(b"<html>cached page %d/%d</html>\n" % (d, f))
PY
# Written back before the clock starts, so that no erase pays for the writing.
sync
