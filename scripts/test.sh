#!/usr/bin/env bash
# Builds everything and runs every test: native ones directly, Windows ones (x86_64) under Wine and Xvfb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
"$top/scripts/setup.sh"
"$top/scripts/build.sh"

. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null || true; xvfb_stop; }
trap cleanup EXIT
xvfb_start
wineserver -p 30 || true  # one server for the whole run: Wine's start-up is paid once

status=0
(cd "$build/native" && ctest --output-on-failure -j"$(nproc)") || status=1
(cd "$build/x86_64" && ctest --output-on-failure -j"$(nproc)" --timeout 300) || status=1
# Screenshots the tests took, as PNGs for people.
for bmp in "$build"/x86_64/screenshots/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
[ $status -eq 0 ] && echo "all tests passed" || echo "tests FAILED"
exit $status
