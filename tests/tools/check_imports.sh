#!/usr/bin/env bash
# A Windows program or DLL of ours must import nothing but system DLLs: the
# runtime is linked statically, so a user copies one file.
# Usage: check_imports.sh OBJDUMP FILE...
set -uo pipefail
objdump=$1
shift
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|ws2_32|msvcrt|api-ms-win-.*)\.dll$'
fail=0
for file in "$@"; do
  while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then echo "FAIL $file imports $dll"; fail=1; fi
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
  [ $fail = 0 ] && echo "ok   $(basename "$file") imports only system DLLs"
done
exit $fail
