#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the suite and starts the launcher Hallvex under Wine:
# on the user's display when there is one, else on a private Xvfb with a screenshot.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
exe=$build/x86_64/bin/Hallvex.exe
if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine "$exe"
fi
"$top/scripts/screenshot.sh" "$build/launcher.png" "$exe"
