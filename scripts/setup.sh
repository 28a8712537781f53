#!/usr/bin/env bash
# Installs what the suite needs on a fresh Debian machine and prepares the Wine prefix.
# Idempotent: a second run checks and returns quickly.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD:-$top/build}

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
          wine wine64 xvfb xauth fonts-wine x11-utils imagemagick xdotool
          cmake ninja-build googletest g++ clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The suite's own Wine prefix, never the user's ~/.wine.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "setup: wineboot failed" >&2; exit 1; }
# Every program runs in Wine's virtual desktop: Wine draws captions and frames itself (there is
# no window manager under Xvfb) and shows windows without waiting for one.
if [ ! -f "$WINEPREFIX/.suite-desktop" ]; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  touch "$WINEPREFIX/.suite-desktop"
fi
# No automatic debugger: a crashed program ends at once with its exception's code. Wine's winedbg
# would show its crash dialog and wait on a display, and without one let the status be 0 now and then.
if [ ! -f "$WINEPREFIX/.suite-no-debugger" ]; then
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "" /f >/dev/null 2>&1
  touch "$WINEPREFIX/.suite-no-debugger"
fi
# Wine's own faces: a prefix sees them only in its windows/Fonts; without them "MS Sans Serif",
# "Tahoma" and "MS Shell Dlg" fall back to a wider face and the forms' texts are cut.
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
for face in sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf; do
  [ -f "/usr/share/wine/fonts/$face" ] && [ ! -f "$fonts/$face" ] && cp "/usr/share/wine/fonts/$face" "$fonts/"
done
echo "setup: ready"
