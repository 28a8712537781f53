#!/usr/bin/env bash
# screenshot.sh OUT.png PROGRAM.exe [ARGS...]: runs a program of the build under Wine on a private
# Xvfb, waits for its window, and writes a PNG of the screen.
# Programs run inside Wine's virtual desktop (set up by setup.sh), so Wine draws captions and frames.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
out=$1; shift
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
