#!/usr/bin/env bash
# The 32-bit plug-in's callbacks clean their own arguments off the stack
# (stdcall), four bytes per argument of the host's interface. A callback
# that cleaned more or fewer would corrupt the host's stack on return, and
# where 32-bit programs cannot run nothing else would notice. Checked on the
# machine code of the DLL as linked (before any stripping: the symbol table
# gives each function's extent): the code at each export's address is
# disassembled, a jump thunk followed, and every "ret" of the function, its
# cold part included, must pop the same number of bytes, the expected one.
#
# The expected argument counts are the host's interface; the plug-in's
# header must declare the same counts.
# Usage: check_stdcall.sh OBJDUMP quorn.dll plugin_api.h [SYMBOL_TEXT=BYTES...]
#   SYMBOL_TEXT=BYTES  also checks the function whose demangled name
#                      contains SYMBOL_TEXT (a command handler, say)
set -uo pipefail
objdump=$1 dll=$2 header=$3
shift 3
nm=${objdump%objdump}nm

# The host's interface: callback and number of arguments.
expected_args="VMC_OnStart 0
VMC_OnExit 0
VMC_OnEveryMinute 0
VMC_OnMenuInit 3
VMC_OnPlugInSetup 1
VMC_OnPlugInInfo 1
VMC_OnBeforeFilter 3
VMC_OnOpenFolder 1
VMC_OnOpenMail 1
VMC_OnSend 1
VMC_OnFinishRetrieve 1
VMC_OnOpenCompose 2
VMC_OnOutgoing 2
VMC_OnRetrieve 2
VMC_OnKeyDispatch 3
VMC_OnDragDrop 4"

fail=0
say_fail() { echo "FAIL $*"; fail=1; }

if ! "$objdump" -f "$dll" | grep -q 'file format pei-i386'; then
  echo "FAIL $dll is no 32-bit Windows DLL"
  exit 1
fi

# The header's declarations: "int WINAPI NAME(params);", one a line.
declare -A declared
while IFS=$'\t' read -r name params; do
  params=$(sed 's/^ *//; s/ *$//; s/^void$//' <<<"$params")
  if [ -z "$params" ]; then declared[$name]=0; else declared[$name]=$(($(tr -cd , <<<"$params" | wc -c) + 1)); fi
done < <(sed -n 's/^ *int WINAPI \(VMC_[A-Za-z]*\)(\(.*\));.*/\1\t\2/p' "$header")

image_base=$((0x$("$objdump" -p "$dll" | sed -n 's/^ImageBase\s*//p')))
hex() { printf '%08x' "$1"; }

# Export name -> RVA, from the export address table and the name table.
declare -A export_rva rva_of_index
while read -r index rva; do rva_of_index[$index]=$rva; done < <("$objdump" -p "$dll" |
  sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' |
  sed -n 's/^\s*\[\s*\([0-9]*\)\].* \([0-9a-f]*\) Export RVA$/\1 \2/p')
while read -r index name; do
  export_rva[$name]=${rva_of_index[$index]:-}
done < <("$objdump" -p "$dll" | sed -n '/^Export Address Table -- Ordinal Base/,$p' |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[\s*\([0-9]*\)\]\s*\(\S*\)$/\1 \2/p')

# The code, one line per symbol: a function runs from its symbol to the
# next one. Lines "address<TAB>name<TAB>first instruction<TAB>bytes each
# ret pops, sorted and without repeats" ("none" without a ret).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$objdump" -d --no-show-raw-insn "$dll" | awk -v OFS='\t' '
  function flush() { if (name != "") print address, name, first, (rets == "" ? "none" : rets) }
  /^[0-9a-f]+ <.*>:$/ {
    flush(); address = $1; name = substr($2, 2, length($2) - 3); first = ""; rets = ""; delete seen; next }
  /^ *[0-9a-f]+:\t/ {
    sub(/^ *[0-9a-f]+:\t/, ""); if (first == "") first = $0
    if ($0 ~ /^(repz )?ret[ \t]*(\$0x[0-9a-f]+)?[ \t]*$/) {
      n = 0; if (match($0, /\$0x[0-9a-f]+/)) n = hexval(substr($0, RSTART + 3, RLENGTH - 3))
      if (!(n in seen)) { seen[n] = 1; rets = rets == "" ? n : rets " " n }
    } }
  function hexval(h,   i, v) { v = 0; for (i = 1; i <= length(h); i++) v = v * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1; return v }
  END { flush() }' >"$work/functions"
"$nm" -n "$dll" | awk '$2 ~ /^[Tt]$/ { print $1, $3 }' >"$work/names"
if [ "$(wc -l <"$work/names")" -lt 20 ]; then
  echo "FAIL $dll carries no symbol table (stripped?): functions cannot be delimited"
  exit 1
fi
function_at() { awk -F'\t' -v a="$1" '$1 == a { print; exit }' "$work/functions"; }
function_named() { awk -F'\t' -v n="$1" '$2 == n { print; exit }' "$work/functions"; }

# The bytes every ret of the function at the address (hex) pops, its cold
# part included ("0 8" when rets differ), after following jump thunks.
popped_bytes() { # address
  local address=$1 hops row first rets name cold
  for hops in 0 1 2 3 4; do
    row=$(function_at "$address")
    [ -n "$row" ] || { echo "nothing (no function starts at $address)"; return; }
    first=$(cut -f3 <<<"$row")
    [[ $first =~ ^jmp\ +([0-9a-f]+)\ \< ]] || break
    address=$(hex $((0x${BASH_REMATCH[1]})))
  done
  rets=$(cut -f4 <<<"$row")
  # The cold part (code the compiler moved out of line) is named after any
  # of the names at the function's address.
  while read -r name; do
    cold=$(function_named "$name.cold")
    [ -n "$cold" ] && [ "$(cut -f4 <<<"$cold")" != none ] && rets+=" $(cut -f4 <<<"$cold")"
  done < <(awk -v a="$address" '$1 == a { print $2 }' "$work/names")
  tr ' ' '\n' <<<"$rets" | grep -v none | sort -un | tr '\n' ' ' | sed 's/ $//; s/^$/none/'
}

check() { # label, expected bytes, address
  local got
  got=$(popped_bytes "$3")
  if [ "$got" = "$2" ]; then
    echo "ok   $1 pops $2 bytes"
  else
    say_fail "$1 pops $got bytes on return (every ret), want $2"
  fi
}

while read -r name args; do
  if [ "${declared[$name]:-missing}" != "$args" ]; then
    say_fail "$header declares $name with ${declared[$name]:-no} arguments, the host passes $args"
  fi
  rva=${export_rva[$name]:-}
  if [ -z "$rva" ]; then
    say_fail "$name is not exported"
    continue
  fi
  check "$name" $((4 * args)) "$(hex $((image_base + 0x$rva)))"
done <<<"$expected_args"
[ ${#export_rva[@]} = 16 ] || say_fail "the DLL exports ${#export_rva[@]} names, want 16"

for pair in "$@"; do
  text=${pair%=*} bytes=${pair##*=}
  line=$("$nm" -n -C "$dll" | awk '$2 ~ /^[Tt]$/' | grep -F -- "$text" | grep -v '\.cold$' | head -n1)
  if [ -z "$line" ]; then
    say_fail "no function named like $text"
    continue
  fi
  check "$text" "$bytes" "${line%% *}"
done
exit $fail
