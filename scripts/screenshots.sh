#!/usr/bin/env bash
# Renders the plug-in's windows as a user sees them and writes one PNG per
# window state under docs/: the programs run under Xvfb with Wine's X11
# driver in a prefix of their own (build/wine-x11, never the null-driver
# prefix of the tests), with Debian's IPA Gothic standing in for the
# Japanese Windows fonts, under a Japanese locale, inside a Wine desktop
# window so that captions are drawn without a window manager.
#
#   bash scripts/screenshots.sh [BUILD_DIR]     (default build/win-x86_64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win-x86_64}" && pwd)
cd "$root"
cmake --build "$build" -j2 --target quorn quorn-host >/dev/null
host=$build/sim/quorn-host.exe

# The loader that matches the programs (cmake/wine-run.sh tells them apart).
case $(bash cmake/wine-run.sh --print-arch "$host") in
  win32) arch=win32; loader=/usr/lib/wine/wine ;;
  win64) arch=win64; loader=/usr/lib/wine/wine64 ;;
esac
export WINEPREFIX=$root/build/wine-x11/$arch WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  "${loader%/*}/wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

if [ ! -f "$WINEPREFIX/.quorn-ready" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$loader" wineboot -i </dev/null >/dev/null 2>&1
  # Font replacements; regedit wants this file in UTF-16LE.
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
      printf '"%s"="IPAPGothic"\r\n' "$face"
    done
    for face in "ＭＳ ゴシック" "MS Gothic"; do printf '"%s"="IPAGothic"\r\n' "$face"; done
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$work/fonts.reg"
  "$loader" regedit /S "$(winepath=${loader%/*}/winepath; "$loader" winepath -w "$work/fonts.reg" 2>/dev/null)" \
    </dev/null >/dev/null 2>&1
  "${loader%/*}/wineserver" -w
  # The caption buttons' glyphs come from Marlett; a prefix whose font
  # folder lacks it draws the close box as the letter "r".
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.quorn-ready"
fi

# The commands as a user meets them: the plug-in in the host simulator, in a
# network namespace without a name server so that no lookup leaves the
# machine; the pictures land in the working folder.
cp -r samples/messages samples/pictures.scenario "$work/"
(cd "$work" && bash "$root/tests/lookup/netns.sh" "#" none - -- \
  "$loader" explorer /desktop=quorn,640x480 "$host" "$build/host/quorn.dll" \
  pictures.scenario </dev/null >"$work/pictures.log" 2>&1) || { cat "$work/pictures.log" >&2; exit 1; }
"${loader%/*}/wineserver" -w

mkdir -p docs
shots=0
for bmp in "$work"/*.bmp; do
  [ -e "$bmp" ] || continue
  name=$(basename "$bmp" .bmp)
  /usr/bin/convert "$bmp" -strip -define png:exclude-chunks=date,time "docs/$name.png"  # no time stamps: the same picture gives the same bytes
  echo "docs/$name.png"
  shots=$((shots + 1))
done
[ $shots -gt 0 ] || { echo "screenshots: no picture was written" >&2; exit 1; }
