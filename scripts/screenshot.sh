#!/usr/bin/env bash
# screenshot.sh OUT.png PROGRAM.exe [ARGS...]: runs a program of the build under Wine on a private
# Xvfb, waits for its window, and writes a PNG of the screen.
# screenshot.sh --suite [FOLDER]: photographs every window of the three programs, skinned, as the
# end-to-end test drives them (main forms, hot and pressed looks, message boxes, system dialogs,
# work form), one PNG per window into FOLDER (build/suite-pictures by default).
# Programs run inside Wine's virtual desktop (set up by setup.sh), so Wine draws captions and frames.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$top/scripts/setup.sh" >/dev/null  # the prefix with its desktop and Wine's own faces

if [ "${1:-}" = "--suite" ]; then
  out=$(mkdir -p "${2:-$build/suite-pictures}" && cd "${2:-$build/suite-pictures}" && pwd)
  [ -f "$build/x86_64/build.ninja" ] || cmake -S "$top" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DSUITE_WINEPREFIX="$build/wineprefix" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
  cmake --build "$build/x86_64" --target SkinnedSuite_test >/dev/null
  trap 'wineserver -k 2>/dev/null || true; xvfb_stop' EXIT
  xvfb_start
  status=0
  (cd "$build/x86_64/tests" && SUITE_BIN="$build/x86_64/bin" SUITE_SHOTS="$out" \
      "$build/x86_64/wine-run.sh" ./SkinnedSuite_test.exe) >/dev/null || status=$?
  for bmp in "$out"/*.bmp; do
    [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "screenshot: ${bmp%.bmp}.png"
  done
  [ $status -eq 0 ] || echo "screenshot: the end-to-end run failed (status $status): some pictures may be missing" >&2
  exit $status
fi

out=$1; shift
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wineserver -k 2>/dev/null || true; xvfb_stop; }
trap cleanup EXIT
xvfb_start
wine "$@" >/dev/null 2>&1 &
pid=$!
# Wait until a window is mapped, then give it a moment to paint.
for _ in $(seq 1 150); do
  xwininfo -root -children 2>/dev/null | grep -q '"' && break
  sleep 0.2
done
sleep "${SHOT_DELAY:-2}"
import -window root "$out"
echo "screenshot: $out"
