#!/usr/bin/env bash
# Runs the lookup measurements in network namespaces of their own, for the
# native build and, when built, for the DLL's implementation under Wine.
# Usage: bench/lookup_bench.sh   (after scripts/test.sh has built everything)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
netns="$root/tests/lookup/netns.sh"
dns="$root/build/native/tests/lookup/test-dns"
hosts="192.0.2.10 named.example.test"
for bench in "$root/build/native/tests/lookup/lookup_bench" "$root/build/win-x86_64/tests/lookup/lookup_bench.exe"; do
  [ -x "$bench" ] || [ -f "$bench" ] || continue
  runner=()
  [[ $bench == *.exe ]] && runner=("$root/cmake/wine-run.sh")
  echo "== $(basename "$bench")"
  bash "$netns" "$hosts" never "$dns" -- "${runner[@]}" "$bench" gaps
  bash "$netns" "$hosts" answer:slow.example.test:250 "$dns" -- "${runner[@]}" "$bench" notice 250
done
