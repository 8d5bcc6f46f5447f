#!/usr/bin/env bash
# The plug-in exports exactly the sixteen callbacks under their plain,
# undecorated names, and carries the marker text hosts look for.
# Usage: check_exports.sh OBJDUMP quorn.dll
set -uo pipefail
objdump=$1 dll=$2
expected="VMC_OnBeforeFilter VMC_OnDragDrop VMC_OnEveryMinute VMC_OnExit VMC_OnFinishRetrieve
VMC_OnKeyDispatch VMC_OnMenuInit VMC_OnOpenCompose VMC_OnOpenFolder VMC_OnOpenMail VMC_OnOutgoing
VMC_OnPlugInInfo VMC_OnPlugInSetup VMC_OnRetrieve VMC_OnSend VMC_OnStart"
actual=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^\s*\[\s*[0-9]*\]\s*//p' | sort | tr '\n' ' ')
want=$(printf '%s\n' $expected | sort | tr '\n' ' ')
fail=0
if [ "$actual" != "$want" ]; then
  echo "FAIL exports of $dll:"; echo "  got:  $actual"; echo "  want: $want"; fail=1
else
  echo "ok   $dll exports the 16 callbacks under their plain names"
fi
if grep -q "Velmo! plugin" "$dll"; then echo "ok   marker text present"; else echo "FAIL no marker text"; fail=1; fi
exit $fail
