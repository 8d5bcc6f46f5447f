#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Safe to re-run:
# it does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libboost1.81-dev libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine32:i386 wine64
  libc-ares-dev iproute2 util-linux
  clang libclang-rt-14-dev
  locales zip
  xvfb x11-apps imagemagick fonts-ipafont-gothic fonts-wine
)

# The end-to-end scenarios run Wine under a Japanese locale, so that the ANSI
# code page is 932 as on the host's home system.
ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_japanese_locale
  exit 0
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
# A mirror in the middle of a sync fails an index now and then: try again,
# and go on with the indexes that did arrive (the install says if any
# package is still missing).
for attempt in 1 2 3; do
  apt-get update -qq && break
  echo "apt-get update failed (attempt $attempt); retrying" >&2
  sleep 10
done
# wine32 needs its i386 libraries at the very version of their amd64 twins.
# When the mirror's security index for i386 is missing or out of sync,
# apt cannot match them; the release's own versions always match.
apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
  apt-get install -y -qq --no-install-recommends -t bookworm "${missing[@]}"
ensure_japanese_locale
