#!/usr/bin/env bash
# Installs what is missing, builds every build and runs every test:
#   build/native      the portable core, its tests (also under ASan/UBSan in
#                     build/sanitize), the checker and the benchmarks
#   build/win-x86_64  the same for 64-bit Windows, tests run under wine64
#   build/win-i686    the 32-bit product; its tests run under 32-bit Wine,
#                     inside a machine under software emulation where this
#                     kernel cannot run 32-bit programs (scripts/test-32bit.sh)
#   build/fuzz        the libFuzzer targets (clang), each run for 20 seconds
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
# The folders include one another only in the allowed directions.
bash scripts/check-includes.sh
# The 32-bit test machine's image (made once per machine, where this kernel
# cannot run 32-bit programs) is made while the builds run.
mkdir -p build
bash scripts/test-32bit.sh --prepare >build/test-32bit-prepare.log 2>&1 &
prepare_32=$!

jobs=$(nproc)
configure_and_build() { # dir, extra cmake arguments...
  local dir=$1
  shift
  cmake -S . -B "$dir" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
run_tests() { # dir, extra ctest arguments...
  local dir=$1
  shift
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" "$@"
}

configure_and_build build/native
configure_and_build build/sanitize -DQUORN_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# The Windows builds' lookup tests use the native build's test name server.
test_dns="$root/build/native/tests/lookup/test-dns"
configure_and_build build/win-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DQUORN_BUILD_BENCH=OFF \
  -DQUORN_NATIVE_TEST_DNS="$test_dns"
configure_and_build build/win-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORN_BUILD_BENCH=OFF \
  -DQUORN_RUN_TEST_PROGRAMS=ON -DQUORN_NATIVE_TEST_DNS="$test_dns"

mkdir -p dist
cp build/win-i686/host/shipped/quorn.dll build/win-i686/host/shipped/quorn.dll.debug dist/
# The same sources give the same DLL, built elsewhere.
bash scripts/check-reproducible.sh build/win-i686

run_tests build/native
run_tests build/sanitize
run_tests build/win-x86_64
echo "== tests in build/win-i686 (scripts/test-32bit.sh)"
wait $prepare_32 || echo "== the 32-bit machine's image failed:"
cat build/test-32bit-prepare.log
bash scripts/test-32bit.sh build/win-i686
echo "== fuzzing smoke run"
bash scripts/fuzz.sh smoke
