#!/usr/bin/env bash
# Every header of the shared corpus, received as a message with an empty
# body through the plug-in's receipt hook in the host simulator, gets the
# stamp label that quorn-check gives the same file and that the corpus
# test pins (tests/corpus/verdicts.expected.tsv), and nothing escapes.
# Usage: corpus_vs_checker.sh SIM_DIR PLUGIN.dll CHECKER CORPUS_HEADERS [EMULATOR...]
set -uo pipefail
sim_dir=$1 dll=$2 checker=$3 corpus=$4
shift 4
pinned=$(dirname "${BASH_SOURCE[0]}")/../corpus/verdicts.expected.tsv
[ -d "$corpus" ] || { echo "FAIL: no corpus at $corpus"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'load\nstart\ncorpus %s\n' "$corpus" >"$work/corpus.scenario"

"$@" "$sim_dir/quorn-host.exe" "$dll" "$work/corpus.scenario" >"$work/host.txt" 2>&1 || {
  echo "FAIL: the simulator stopped"; tail -5 "$work/host.txt"; exit 1; }
grep -v '^>' "$work/host.txt" | grep -v '^  loaded\|^  result' | sort >"$work/plugin.tsv"
"$@" "$checker" "$corpus" 2>/dev/null | awk -F'\t' '{ n = split($1, p, /[\/\\]/); print p[n] "\t" $4 }' | sort >"$work/checker.tsv"

count=$(wc -l <"$work/plugin.tsv")
[ "$count" -ge 700 ] || { echo "FAIL: only $count messages received"; exit 1; }
if ! diff "$work/checker.tsv" "$work/plugin.tsv" >"$work/diff.txt"; then
  echo "FAIL: the plug-in and quorn-check disagree:"; head -20 "$work/diff.txt"; exit 1
fi
cut -f1,4 "$pinned" | sort >"$work/pinned.tsv"
if ! diff "$work/pinned.tsv" "$work/plugin.tsv" >"$work/diff.txt"; then
  echo "FAIL: the plug-in's labels differ from $pinned:"; head -20 "$work/diff.txt"; exit 1
fi
echo "ok   $count corpus messages: the pinned labels, the same as quorn-check's, no error escaped"
