#!/usr/bin/env bash
# Builds the 32-bit DLL and quorn-check in two build folders at different
# paths and checks that the bytes are the same (no time stamp or path
# inside), that the DLL is stripped with a debug link to quorn.dll.debug,
# that its debug information covers the code of every folder it is built
# from, and that an address in the shipped DLL reads back as a function and
# a source line.
# Usage: check-reproducible.sh [FIRST_BUILD_DIR]   (default build/win-i686)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
first=${1:-build/win-i686}
second=build/reproducible/second-build-at-another-path

build_dll() { # dir
  cmake -S . -B "$1" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORN_BUILD_BENCH=OFF >/dev/null
  cmake --build "$1" -j "$(nproc)" --target quorn quorn-check >/dev/null
}
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== reproducible build: $first and $second"
build_dll "$first"
rm -rf "$second"
build_dll "$second"
for file in quorn.dll quorn.dll.debug; do
  cmp "$first/host/shipped/$file" "$second/host/shipped/$file" || fail "$file differs between two builds of the same sources"
done
cmp "$first/tools/check/quorn-check.exe" "$second/tools/check/quorn-check.exe" ||
  fail "quorn-check.exe differs between two builds of the same sources"

dll=$first/host/shipped/quorn.dll
if grep -qF "$root" "$first/host/shipped/quorn.dll.debug"; then
  fail "the checkout's path $root is written in quorn.dll.debug"
fi
if i686-w64-mingw32-objdump -h "$dll" | grep -q '\.debug_'; then
  fail "$dll still holds debug sections"
fi
# Debug information is given to the shipped code target by target (the
# QUORN_SHIPPED property): a folder missing here lost it.
units=$(i686-w64-mingw32-objdump --dwarf=info "$first/host/shipped/quorn.dll.debug" |
  sed -n 's|.*DW_AT_name.*: /quorn/\([a-z0-9]*\)/.*|\1|p' | sort -u | tr '\n' ' ')
for folder in commands engine host hostapi settings texts ui win32; do
  [[ " $units" == *" $folder "* ]] || fail "quorn.dll.debug has no compile unit from $folder/ (has: $units)"
done
i686-w64-mingw32-objdump -s -j .gnu_debuglink "$dll" | grep -q 'quorn\.dll\.debug' ||
  fail "$dll has no debug link to quorn.dll.debug"

# An address inside an exported function, as a crash report would give it,
# read back through the stripped DLL: addr2line follows the debug link and
# checks its checksum.
export_rva() { # dll name
  i686-w64-mingw32-objdump -p "$1" | awk -v name="$2" '
    /Export RVA/ { match($0, /\[ *[0-9]+\]/); rva[substr($0, RSTART + 1, RLENGTH - 2) + 0] = $(NF - 2) }
    /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
    names && $NF == name { match($0, /\[ *[0-9]+\]/); print rva[substr($0, RSTART + 1, RLENGTH - 2) + 0] }'
}
base=$(i686-w64-mingw32-objdump -p "$dll" | awk '$1 == "ImageBase" { print $2 }')
rva=$(export_rva "$dll" VMC_OnPlugInInfo)
[ -n "$rva" ] || fail "$dll does not export VMC_OnPlugInInfo"
address=$(printf '0x%x' $((0x$base + 0x$rva + 1)))
where=$(i686-w64-mingw32-addr2line -e "$dll" -f -C "$address" | tr '\n' ' ')
case $where in
  *VMC_OnPlugInInfo*/quorn/host/plugin.cpp:[0-9]*) ;;
  *) fail "address $address reads back as '$where', not VMC_OnPlugInInfo in /quorn/host/plugin.cpp" ;;
esac
echo "ok   $(stat -c %s "$dll") bytes, the same twice; $address reads back as $where"
