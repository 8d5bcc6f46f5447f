#!/usr/bin/env bash
# The main job: builds quorn.dll (the 32-bit product goes to dist/quorn.dll)
# and runs the plug-in inside the host simulator on a fresh data folder with
# the built-in default settings: its first start, the INI file it wrote, and
# what it does with each sample message in samples/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

jobs=$(nproc)
build() { # arch, targets...
  local arch=$1
  shift
  cmake -S . -B "build/demo-$arch" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DQUORN_BUILD_TESTS=OFF \
    -DQUORN_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "build/demo-$arch" -j "$jobs" --target "$@" >/dev/null
}

build i686 quorn quorn-host
mkdir -p dist
cp build/demo-i686/host/shipped/quorn.dll build/demo-i686/host/shipped/quorn.dll.debug dist/
echo "built dist/quorn.dll (32-bit Windows)"

# The kernel of some virtual machines cannot run 32-bit programs; the same
# code built for 64-bit Windows shows the same behaviour there.
arch=i686
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "note: this machine cannot run 32-bit programs; running the 64-bit build in 64-bit Wine"
  arch=x86_64
  build x86_64 quorn quorn-host
fi
echo
# Under a Japanese locale, as on the host's home system: the ANSI code page
# is then 932, and the menu shows the plug-in's Japanese captions.
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 \
  cmake/wine-run.sh "build/demo-$arch/sim/quorn-host.exe" "build/demo-$arch/host/quorn.dll" samples/demo.scenario
