#!/usr/bin/env bash
# Installs what is missing, builds every build and runs every test:
#   build/native      the portable core, its tests (also under ASan/UBSan in
#                     build/sanitize), the checker and the benchmarks
#   build/win-x86_64  the same for 64-bit Windows, tests run under wine64
#   build/win-i686    the 32-bit product; its tests run under 32-bit Wine
#                     where the kernel can run 32-bit programs
#   build/fuzz        the libFuzzer targets (clang), each run for 20 seconds
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
# The folders include one another only in the allowed directions.
bash scripts/check-includes.sh

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
# The kernel of some virtual machines cannot run 32-bit programs at all.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then can_run_32=ON; else can_run_32=OFF; fi
configure_and_build build/win-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORN_BUILD_BENCH=OFF \
  -DQUORN_RUN_TEST_PROGRAMS=$can_run_32 -DQUORN_NATIVE_TEST_DNS="$test_dns"

mkdir -p dist
cp build/win-i686/host/shipped/quorn.dll build/win-i686/host/shipped/quorn.dll.debug dist/
# The same sources give the same DLL, built elsewhere.
bash scripts/check-reproducible.sh build/win-i686

run_tests build/native
run_tests build/sanitize
run_tests build/win-x86_64
run_tests build/win-i686
echo "== fuzzing smoke run"
bash scripts/fuzz.sh smoke
if [ $can_run_32 = OFF ]; then
  echo "== NOTE: this kernel cannot run 32-bit programs, so 32-bit Wine cannot start."
  echo "==       The i686 build was compiled and checked without running it; the same"
  echo "==       code's tests ran under 64-bit Wine above."
fi
