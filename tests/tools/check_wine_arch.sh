#!/usr/bin/env bash
# The Wine runner picks the Wine of a program's architecture from its PE
# header. Checked without running anything: every built program and DLL
# given reads as the build's architecture, and files that are no i386 or
# x86-64 Windows program are refused.
# Usage: check_wine_arch.sh WINE_RUN win32|win64 FILE...
set -uo pipefail
wine_run=$1 want=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

expect() { # expected-arch-or-"refused", file, description
  local got
  got=$(bash "$wine_run" --print-arch "$2" 2>/dev/null) || got=refused
  if [ "$got" = "$1" ]; then
    echo "ok   $3: $got"
  else
    echo "FAIL $3: got $got, want $1"
    fail=1
  fi
}

for file in "$@"; do
  if [ -f "$file" ]; then expect "$want" "$file" "$(basename "$file")"; else echo "FAIL $file is not built"; fail=1; fi
done

# A copy of the first file with another machine field (ARM64, aa64).
sample=$1
pe=$(od -An -tu4 -j60 -N4 "$sample" | tr -d ' ')
cp "$sample" "$work/arm64.dll"
printf '\x64\xaa' | dd of="$work/arm64.dll" bs=1 seek=$((pe + 4)) conv=notrunc status=none
head -c $((pe + 5)) "$sample" >"$work/truncated.dll"
head -c 40 "$sample" >"$work/short.dll"
cp "$sample" "$work/no-signature.dll"
printf 'XX' | dd of="$work/no-signature.dll" bs=1 seek="$pe" conv=notrunc status=none

expect refused "$work/arm64.dll" "another machine"
expect refused "$work/truncated.dll" "a file cut inside the machine field"
expect refused "$work/short.dll" "a file cut before the header offset"
expect refused "$work/no-signature.dll" "no PE signature"
expect refused "$wine_run" "a shell script"
expect refused "$work/missing.dll" "a missing file"
exit $fail
