#!/usr/bin/env bash
# Builds the skin benchmark (x86_64) and runs it under Wine on a private Xvfb: for each program's
# main form, 200 full repaints and the start to the first paint, skinned and with the engine
# inactive, and the GDI and USER objects before and after 1,000 non-client rounds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
"$top/scripts/setup.sh" >/dev/null
[ -f "$build/x86_64/build.ninja" ] || cmake -S "$top" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DSUITE_WINEPREFIX="$build/wineprefix" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
programs="Hallvex Dunmarrow Corvale"
cmake --build "$build/x86_64" --target $(for p in $programs; do echo "skinbench_$p"; done) >/dev/null
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null || true; xvfb_stop; }
trap cleanup EXIT
xvfb_start
wineserver -p 30 || true  # Wine's own start-up is paid once, not by the first start measured
status=0
for p in $programs; do
  "$build/x86_64/wine-run.sh" "$build/x86_64/bin/skinbench_$p.exe" || status=1
done
echo "goals: repaint ratio at most 2, start ratio at most 1.5, no growth of objects"
exit $status
