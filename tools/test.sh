#!/usr/bin/env bash
# Builds everything and runs every test under Wine, in the build folder's sandbox,
# on a virtual display of its own.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${GF_BUILD_DIR:-$src/build}"
"$src/tools/build.sh"
export GF_BUILD
GF_BUILD=$(cd "$build" && pwd)
export GF_PREFIX_NAME=test-prefix
. "$src/tools/sandbox-env.sh"
gf_sandbox_prepare
cleanup() { gf_stop_wineserver; gf_stop_xvfb; }
trap cleanup EXIT
gf_start_xvfb
gf_start_wineserver
cd "$GF_BUILD"
set +e
ctest --output-on-failure -j"${GF_TEST_JOBS:-4}" "$@"
rc=$?
exit $rc
