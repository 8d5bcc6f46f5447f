#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of the project's own that
# matches the program's architecture. CTest uses it as the emulator of the
# MinGW builds; scripts use it for the host simulator and the checker.
#
# The prefix is made on first use (locked, so parallel tests wait for it)
# with Wine's null graphics driver, so windows need no display.
set -euo pipefail

# The Wine architecture of a Windows program or DLL: win32 for i386, win64
# for x86-64, nothing (status 1) for anything else. The PE header's offset is
# at byte 60; the header starts "PE\0\0" and then holds the machine field,
# little-endian (014c i386, 8664 x86-64). Bytes are read one by one, so the
# answer does not depend on the byte order of the machine running the script.
pe_arch() { # file
  local file=$1 bytes pe
  read -r -a bytes <<<"$(od -An -v -tu1 -N64 "$file" 2>/dev/null | tr '\n' ' ')"
  [ "${#bytes[@]}" = 64 ] && [ "${bytes[0]} ${bytes[1]}" = "77 90" ] || return 1
  pe=$((bytes[60] | bytes[61] << 8 | bytes[62] << 16 | bytes[63] << 24))
  read -r -a bytes <<<"$(od -An -v -tu1 -j"$pe" -N6 "$file" 2>/dev/null | tr '\n' ' ')"
  [ "${#bytes[@]}" = 6 ] && [ "${bytes[*]:0:4}" = "80 69 0 0" ] || return 1
  case $((bytes[4] | bytes[5] << 8)) in
    $((0x014c))) echo win32 ;;
    $((0x8664))) echo win64 ;;
    *) return 1 ;;
  esac
}

# "--print-arch FILE" only tells the architecture, without running anything.
if [ "${1:-}" = --print-arch ]; then
  [ $# = 2 ] || { echo "usage: wine-run.sh --print-arch FILE" >&2; exit 2; }
  pe_arch "$2" || { echo "wine-run: $2 is no i386 or x86-64 Windows program" >&2; exit 126; }
  exit 0
fi

exe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${QUORN_WINE_CACHE:-$here/../build/wine}

arch=$(pe_arch "$exe") || { echo "wine-run: $exe is no i386 or x86-64 Windows program" >&2; exit 126; }
case $arch in
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
esac

export WINEPREFIX="$cache/$arch" WINEARCH=$arch WINEDEBUG=${WINEDEBUG:--all}
mkdir -p "$cache"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.quorn-ready" ]; then
    rm -rf "$WINEPREFIX"
    if ! "$loader" wineboot -i </dev/null >"$cache/$arch-wineboot.log" 2>&1; then
      hint=
      [ $arch = win32 ] && hint="; a kernel without 32-bit support cannot run 32-bit Wine"
      echo "wine-run: $loader cannot make the Wine prefix $WINEPREFIX (see $cache/$arch-wineboot.log)$hint" >&2
      exit 126
    fi
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n' >"$cache/null-driver.reg"
    "$loader" regedit /S "$cache/null-driver.reg" </dev/null >/dev/null 2>&1
    "${loader%/*}/wineserver" -w
    touch "$WINEPREFIX/.quorn-ready"
  fi
) 9>"$cache/$arch.lock"

# Start the Wine server before the program, so that the server and its helpers
# do not inherit the caller's output pipe (CTest would wait for them). A
# caller that keeps a server of its own running for the prefix says so with
# QUORN_WINE_SERVER=running (the 32-bit test machine, where each Wine start
# costs seconds under emulation).
if [ "${QUORN_WINE_SERVER:-}" != running ]; then
  "$loader" wineboot </dev/null >/dev/null 2>&1
fi
exec "$loader" "$@"
