#!/usr/bin/env bash
# quorn-check end to end: the shipped sample messages against their expected
# verdicts, and the exit status for a file it cannot read and for bad usage.
# Usage: check_cli_test.sh SOURCE_DIR COMMAND... (the checker, maybe behind Wine)
set -uo pipefail
src=$1
shift
cd "$src" || exit 1
fail=0
err=$(mktemp /tmp/quorn-check-cli-XXXXXX.err)
check() { # name, expected status, actual status
  if [ "$2" != "$3" ]; then echo "FAIL $1: exit status $3, expected $2"; fail=1; else echo "ok   $1"; fi
}

out=$("$@" samples/messages 2>"$err"); status=$?
check "samples judged" 0 $status
if ! diff -u tests/tools/samples.expected.tsv <(printf '%s\n' "$out"); then
  echo "FAIL samples: output differs from tests/tools/samples.expected.tsv"; fail=1
fi

"$@" samples/messages/01-clean-relay.eml does-not-exist.eml >/dev/null 2>"$err"; status=$?
check "unreadable file" 1 $status
grep -q '^does-not-exist.eml: ' "$err" || { echo "FAIL unreadable file: not reported"; fail=1; }

"$@" >/dev/null 2>&1; check "no arguments" 2 $?
"$@" --bogus samples/messages >/dev/null 2>&1; check "unknown option" 2 $?
"$@" --timeout soon samples/messages >/dev/null 2>&1; check "bad time-out" 2 $?
"$@" --timeout 0 samples/messages/04-no-host-name.eml >/dev/null 2>&1; check "time-out 0" 0 $?

# Settings from a file: a Received: pattern with three groups stops the check
# of a message that it matches, with the reason in UTF-8 on standard error.
ini=$(mktemp /tmp/quorn-check-cli-XXXXXX.ini)
printf '[RecvRegex]\r\nCount=1\r\nItem0=from (a)(b)(c)\r\n[Black]\r\nCount=1\r\nItem0=198.51.100.0/24\r\n' >"$ini"
out=$("$@" --settings "$ini" samples/messages/01-clean-relay.eml 2>"$err"); status=$?
check "settings file" 0 $status
[ "$(printf '%s' "$out" | cut -f3)" = Excluded ] || { echo "FAIL settings file: $out"; fail=1; }
printf 'Received: from abc\r\n\r\nbody\r\n' >"$ini.eml"
"$@" --settings "$ini" "$ini.eml" >/dev/null 2>"$err"; status=$?
check "pattern error" 1 $status
grep -q "正規表現には２つのグループが必要です" "$err" || { echo "FAIL pattern error text: $(cat "$err")"; fail=1; }
"$@" --settings /nonexistent/Quorn.ini samples/messages >/dev/null 2>&1; check "missing settings file" 2 $?
rm -f "$ini" "$ini.eml"

rm -f "$err"
exit $fail
