#!/usr/bin/env bash
# The main job: builds the checker and judges the sample messages shipped in
# samples/ with the built-in default settings, as the plug-in would judge
# them on receipt.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DQUORN_BUILD_TESTS=OFF -DQUORN_BUILD_BENCH=OFF >/dev/null
cmake --build build/native -j "$(nproc)" --target quorn-check >/dev/null
echo "file	code	verdict	label	relay	host"
build/native/tools/check/quorn-check samples
