#!/usr/bin/env bash
# Runs one scenario in the host simulator and compares the transcript with
# the scenario's .expected file. A line "#! host VARIANT" in the scenario
# picks the simulator variant. QUORN_UPDATE_EXPECTED=1 rewrites the file.
# Usage: run_scenario.sh SIM_DIR PLUGIN.dll SCENARIO [EMULATOR...]
set -uo pipefail
sim_dir=$1 dll=$2 scenario=$3
shift 3
variant=$(sed -n 's/^#! host //p' "$scenario")
host="$sim_dir/quorn-host${variant:+-$variant}.exe"
expected="${scenario%.scenario}.expected"

actual=$("$@" "$host" "$dll" "$scenario" 2>&1)
status=$?
if [ "${QUORN_UPDATE_EXPECTED:-}" = 1 ]; then
  printf '%s\n' "$actual" >"$expected"
  echo "wrote $expected"
  exit $status
fi
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "FAIL: the transcript of $scenario differs from $expected"
  exit 1
fi
[ $status = 0 ] || { echo "FAIL: the simulator exited with $status"; exit 1; }
echo "ok   $scenario"
