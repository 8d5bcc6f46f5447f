#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of the project's own that
# matches the program's architecture. CTest uses it as the emulator of the
# MinGW builds; scripts use it for the host simulator and the checker.
#
# The prefix is made on first use (locked, so parallel tests wait for it)
# with Wine's null graphics driver, so windows need no display.
set -euo pipefail

exe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${QUORN_WINE_CACHE:-$here/../build/wine}

# The PE header's machine field tells a 32-bit program from a 64-bit one.
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
case $machine in
  14c)  arch=win32; loader=/usr/lib/wine/wine ;;
  8664) arch=win64; loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-run: $exe is no i386 or x86-64 Windows program" >&2; exit 126 ;;
esac

export WINEPREFIX="$cache/$arch" WINEARCH=$arch WINEDEBUG=${WINEDEBUG:--all}
mkdir -p "$cache"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.quorn-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$loader" wineboot -i </dev/null >/dev/null 2>&1
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n' >"$cache/null-driver.reg"
    "$loader" regedit /S "$cache/null-driver.reg" </dev/null >/dev/null 2>&1
    "${loader%/*}/wineserver" -w
    touch "$WINEPREFIX/.quorn-ready"
  fi
) 9>"$cache/$arch.lock"

# Start the Wine server before the program, so that the server and its helpers
# do not inherit the caller's output pipe (CTest would wait for them).
"$loader" wineboot </dev/null >/dev/null 2>&1
exec "$loader" "$@"
