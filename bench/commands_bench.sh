#!/usr/bin/env bash
# The sort and check commands over 10,000 selected messages (the shared
# corpus's headers, cycled, held in the simulator's memory), in the host
# simulator under Wine, in a network namespace without a name server (every
# lookup fails at once). Each command is timed from its start to its report
# box; prints messages per second.
# Usage: bench/commands_bench.sh [BUILD_DIR] [COUNT]
#   BUILD_DIR  a Windows build holding quorn.dll and quorn-host (default
#              build/win-i686 where 32-bit programs run, else build/win-x86_64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-}
count=${2:-10000}
if [ -z "$build" ]; then
  build=$root/build/win-x86_64
  if /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -f "$root/build/win-i686/host/quorn.dll" ]; then
    build=$root/build/win-i686
  fi
fi
corpus=${QUORN_CORPUS_HEADERS:-$root/../shared/corpus/headers}
[ -d "$corpus" ] || { echo "no corpus at $corpus" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/bench.scenario" <<SCRIPT
load
start
menu 1
trace off
mail-corpus $count $corpus
select all
time command Spamチェック
select all
time command Spam振り分け
SCRIPT

bash "$root/tests/lookup/netns.sh" "#" none - -- \
  "$root/cmake/wine-run.sh" "$build/sim/quorn-host.exe" "$build/host/quorn.dll" "$work/bench.scenario" \
  >"$work/transcript.txt" 2>"$work/times.txt"
grep 'box' "$work/transcript.txt"
echo "== $(basename "$build"), $count messages, $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
# Wall time from the start to the report box, and the simulator's processor
# time (all its threads, Wine's server excluded), which a busy machine
# disturbs less.
awk -v n="$count" '/quorn-host: time/ {
  ms = $3; name = ($0 ~ /チェック/) ? "check" : "sort"; cpu = $(NF - 4)
  printf "%-6s %8.1f ms  %8.0f messages/s   (processor %6.0f ms: %6.0f messages/s)\n", name, ms, n * 1000 / ms, cpu, n * 1000 / cpu }' "$work/times.txt"
