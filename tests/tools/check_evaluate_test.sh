#!/usr/bin/env bash
# quorn-check over a small labelled set in every input form (message files,
# mbox files with quoted From lines, Maildirs with a message in tmp/ that
# must not count): the evaluation with its false positives and the
# statistics, against pinned output. Standard error stays empty: no progress
# line when it is not a terminal.
# Usage: check_evaluate_test.sh SOURCE_DIR COMMAND... (the checker, maybe behind Wine)
set -uo pipefail
src=$1
shift
cd "$src" || exit 1
fail=0
set_dir=tests/tools/labelled
err=$(mktemp)
trap 'rm -f "$err"' EXIT
# Lookup times differ from run to run.
steady() { sed -E 's/; [0-9.]+ ms in all, longest [0-9.]+ ms$/; (times)/'; }

out=$("$@" --evaluate --ham $set_dir/ham --spam $set_dir/spam --show-false-positives 2>"$err"); status=$?
[ $status = 0 ] || { echo "FAIL evaluate: exit status $status"; fail=1; }
if ! diff -u tests/tools/evaluate.expected.txt <(printf '%s\n' "$out" | steady); then
  echo "FAIL evaluate: output differs from tests/tools/evaluate.expected.txt"; fail=1
fi
[ -s "$err" ] && { echo "FAIL evaluate: standard error:"; cat "$err"; fail=1; }

out=$("$@" --stats --quiet $set_dir 2>"$err"); status=$?
[ $status = 0 ] || { echo "FAIL stats: exit status $status"; fail=1; }
if ! diff -u tests/tools/stats.expected.txt <(printf '%s\n' "$out" | steady); then
  echo "FAIL stats: output differs from tests/tools/stats.expected.txt"; fail=1
fi
[ -s "$err" ] && { echo "FAIL stats: standard error:"; cat "$err"; fail=1; }

"$@" --evaluate --ham $set_dir/ham >/dev/null 2>&1; status=$?
[ $status = 2 ] || { echo "FAIL evaluate without spam: exit status $status, expected 2"; fail=1; }
"$@" --show-false-positives $set_dir >/dev/null 2>&1; status=$?
[ $status = 2 ] || { echo "FAIL false positives without evaluate: exit status $status, expected 2"; fail=1; }

[ $fail = 0 ] && echo "ok   evaluation and statistics of $set_dir"
exit $fail
