#!/usr/bin/env bash
# Configures and builds the native tests and both Windows architectures.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}
cfg() {  # dir, extra cmake args...
  local dir=$1; shift
  [ -f "$build/$dir/build.ninja" ] || cmake -S "$top" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DSUITE_WINEPREFIX="$build/wineprefix" "$@" >/dev/null
  cmake --build "$build/$dir"
}
cfg native
cfg x86_64 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake"
cfg i686 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"
