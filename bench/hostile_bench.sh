#!/usr/bin/env bash
# Times each hostile message of tests/e2e/hostile-messages.scenario through
# the receipt hook: the quorn.dll in the host simulator under Wine, in a
# network namespace without a name server (every lookup fails at once).
# Each delivery is timed from building its text to the plug-in's last
# answer, so the figure bounds what the plug-in costs the host. Runs the
# scenario REPEAT times and prints each message's fastest time.
# Usage: bench/hostile_bench.sh [BUILD_DIR] [REPEAT]
#   BUILD_DIR  a Windows build holding quorn.dll and quorn-host (default
#              build/win-i686 where 32-bit programs run, else build/win-x86_64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-}
repeat=${2:-3}
if [ -z "$build" ]; then
  build=$root/build/win-x86_64
  if /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -f "$root/build/win-i686/host/quorn.dll" ]; then
    build=$root/build/win-i686
  fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The scenario with every delivery timed, and the setup repeated for each round.
sed 's/^receive-built /time receive-built /' "$root/tests/e2e/hostile-messages.scenario" |
  grep -v '^mails$' >"$work/round.scenario"
for _ in $(seq "$repeat"); do cat "$work/round.scenario"; echo unload; done >"$work/bench.scenario"

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
bash "$root/tests/lookup/netns.sh" "#" none - -- \
  "$root/cmake/wine-run.sh" "$build/sim/quorn-host.exe" "$build/host/quorn.dll" "$work/bench.scenario" \
  >"$work/transcript.txt" 2>"$work/times.txt"
if grep -q 'box\|UNEXPECTED\|TOO MANY' "$work/transcript.txt"; then
  echo "a delivery showed a box or answered wrongly:" >&2
  grep 'box\|UNEXPECTED\|TOO MANY' "$work/transcript.txt" >&2
  exit 1
fi
echo "== $(basename "$build"), fastest of $repeat, $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
# The comment above each delivery in the scenario names it.
awk '
  FNR == NR {
    if ($0 ~ /^# /) { note = (comment ? note " " : "") substr($0, 3); comment = 1 } else comment = 0
    if ($0 ~ /^receive-built /) names[++n] = substr(note, 1, 90)
    next
  }
  /quorn-host: time/ {
    i = (k++ % n) + 1; ms = $3 + 0
    if (!(i in best) || ms < best[i]) { best[i] = ms; cpu[i] = $(NF - 4) }
  }
  END {
    for (i = 1; i <= n; i++) printf "%3d %8.1f ms  (processor %4d ms)  %s\n", i, best[i], cpu[i], names[i]
  }' "$root/tests/e2e/hostile-messages.scenario" "$work/times.txt"
