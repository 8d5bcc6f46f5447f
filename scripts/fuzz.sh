#!/usr/bin/env bash
# Fuzzes the header verdict, the engine's parsers and the settings file with
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer (clang).
#
#   scripts/fuzz.sh            each target for 10,000,000 executions
#   scripts/fuzz.sh RUNS       each target for RUNS executions
#   scripts/fuzz.sh SECONDSs   each target for that many seconds ("600s")
#   scripts/fuzz.sh smoke      each target for 20 seconds (the CI run)
#
# QUORN_FUZZ_TARGETS="verdict parsers ini steering" picks targets. Targets run one
# after another, each in a single process. Any input that crashes, breaks
# a property, or costs more than its time bound (fuzz/input_time_bound.h)
# stops that target; it is kept under
# build/fuzz/findings/<target>/ and belongs in fuzz/regressions/<target>/
# once the fault is fixed. The corpora grow in build/fuzz/corpus/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

mode=${1:-10000000}
targets=${QUORN_FUZZ_TARGETS:-verdict parsers ini steering}
build=build/fuzz
corpus_dir=${QUORN_CORPUS_DIR:-$root/../shared}/corpus
[ -d "$corpus_dir" ] || corpus_dir=/work/shared/corpus

cmake -S . -B $build --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORN_BUILD_FUZZ=ON -DQUORN_BUILD_TESTS=OFF -DQUORN_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build $build -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) >/dev/null

# Seeds: the shared header corpus, each Received: test vector as a line of
# its own, the hand-made files of fuzz/seeds/, and the saved findings.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/verdict" "$seeds/parsers" "$seeds/ini" "$seeds/steering"
cp "$corpus_dir"/headers/*.hdr "$seeds/verdict/"
n=0
for tsv in "$corpus_dir"/received-vectors*.tsv; do
  while IFS=$'\t' read -r received _; do
    n=$((n + 1))
    printf 'Received: %s\r\n' "$received" >"$seeds/parsers/vector-$n"
    printf 'Received: %s\r\n\r\n' "$received" >"$seeds/verdict/vector-$n"
  done < <(tail -n +2 "$tsv")
done
for t in verdict parsers ini steering; do
  for d in fuzz/seeds/$t fuzz/regressions/$t; do
    [ -d "$d" ] && find "$d" -type f -exec cp {} "$seeds/$t/" \;
  done
done

max_len() {
  case $1 in
    verdict) echo 16384 ;;  # long enough for lines past the read limit
    parsers) echo 8192 ;;
    steering) echo 2048 ;;  # the sender's texts; longer lines are unreadable
    *) echo 4096 ;;
  esac
}

status=0
printf '%-8s %12s %8s %14s %s\n' target executions seconds coverage result
for t in $targets; do
  mkdir -p "$build/corpus/$t" "$build/findings/$t" "$build/logs"
  log=$build/logs/$t.log
  case $mode in
    smoke) limit=(-max_total_time=20) ;;
    *s) limit=(-max_total_time="${mode%s}") ;;
    *) limit=(-runs="$mode") ;;
  esac
  start=$(date +%s)
  # A slow unit is libFuzzer's note of wall-clock time, which a busy machine
  # also causes; the input time bound (processor time) is the finding.
  found_before=$(find "$build/findings/$t" -type f ! -name 'slow-unit-*' | wc -l)
  result=ok
  "$build/fuzz/fuzz_$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$t")" \
    -dict=fuzz/quorn.dict -print_final_stats=1 -artifact_prefix="$build/findings/$t/" \
    "$build/corpus/$t" "$seeds/$t" >"$log" 2>&1 || { result="stopped (see $log)"; status=1; }
  if [ "$(find "$build/findings/$t" -type f ! -name 'slow-unit-*' | wc -l)" != "$found_before" ]; then
    result="FINDING in $build/findings/$t (see $log)"
  fi
  seconds=$(($(date +%s) - start))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  total=$(sed -n 's/.*Loaded 1 modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -1)
  printf '%-8s %12s %8s %14s %s\n' "$t" "${runs:-?}" "$seconds" "${edges:-?}/${total:-?}" "$result"
done
exit $status
