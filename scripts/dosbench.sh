#!/usr/bin/env bash
# Builds and runs the console command runner's benchmark (x86_64) under Wine on a private Xvfb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
"$top/scripts/setup.sh" >/dev/null
[ -f "$build/x86_64/build.ninja" ] || cmake -S "$top" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DSUITE_WINEPREFIX="$build/wineprefix" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/x86_64" --target dosbench testchild >/dev/null
. "$top/scripts/xvfb.sh"
xvfb_start
trap xvfb_stop EXIT
"$build/x86_64/wine-run.sh" "$build/x86_64/bin/dosbench.exe"
