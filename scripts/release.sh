#!/usr/bin/env bash
# Builds the release of the plug-in from this checkout:
#   dist/quorn.dll                 the 32-bit plug-in, stripped
#   dist/quorn.dll.debug           its debug information (keep it, unshipped)
#   dist/quorn-check.exe           the 32-bit command-line checker, stripped
#   dist/quorn-VERSION.zip         quorn.dll, quorn-check.exe, README.ja.md,
#                                  the pictures it shows (docs/*.png), LICENSE.txt
#   dist/quorn-VERSION.zip.sha256  the archive's SHA-256 (sha256sum -c)
# The same sources give the same bytes: the archive's entries carry the time
# of the last commit (or SOURCE_DATE_EPOCH when set) and fixed permissions,
# in the order of their names.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

for file in README.ja.md LICENSE; do
  if [ ! -f "$file" ]; then
    echo "release: $file is missing; the archive needs it" >&2
    exit 1
  fi
done
# The pictures the guide shows, by the paths it links them with.
pictures=$(grep -o '](docs/[^)]*\.png)' README.ja.md | sed 's/^](//; s/)$//' | sort -u)
for file in $pictures; do
  [ -f "$file" ] || { echo "release: $file, shown in README.ja.md, is missing" >&2; exit 1; }
done
version=$(sed -n 's/^project(Quorn VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: WARNING: the checkout has uncommitted changes; this is not the release of a commit" >&2
fi
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

bash scripts/install-deps.sh
build=build/win-i686
cmake -S . -B "$build" --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUORN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorn quorn-check

mkdir -p dist
cp "$build/host/shipped/quorn.dll" "$build/host/shipped/quorn.dll.debug" dist/
# objcopy writes the current time into the PE header unless told otherwise.
SOURCE_DATE_EPOCH=0 i686-w64-mingw32-objcopy --strip-all "$build/tools/check/quorn-check.exe" dist/quorn-check.exe
# What a user copies must run alone: system DLLs only.
bash tests/tools/check_imports.sh i686-w64-mingw32-objdump dist/quorn.dll dist/quorn-check.exe >/dev/null || {
  echo "release: a shipped program imports more than system DLLs" >&2
  exit 1
}

archive=quorn-$version.zip
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/docs"
cp dist/quorn.dll dist/quorn-check.exe "$stage/"
cp README.ja.md "$stage/README.ja.md"
cp LICENSE "$stage/LICENSE.txt"
for file in $pictures; do cp "$file" "$stage/$file"; done
entries=$(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
(cd "$stage" && chmod 644 $entries && touch -d "@$epoch" $entries)
rm -f "dist/$archive"
# -X leaves out owner and extended times, -D directory entries; zip writes
# local times, so the zone is fixed too.
(cd "$stage" && TZ=UTC zip -X -D -q "$root/dist/$archive" $entries)
(cd dist && sha256sum "$archive" >"$archive.sha256")

echo "== release $version"
(cd dist && ls -l quorn.dll quorn.dll.debug quorn-check.exe "$archive" && cat "$archive.sha256")
