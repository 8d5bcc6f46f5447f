#!/usr/bin/env bash
# Runs the whole CTest suite of the 32-bit build (build/win-i686 unless
# another build folder is given), the build of what users install.
#
# Where this kernel runs 32-bit programs, CTest runs here directly. Where it
# cannot (the build machines' kernels refuse every 32-bit program, and they
# have no KVM), the suite runs inside a whole Debian 12 machine under qemu's
# software emulation, whose own amd64 kernel runs them:
#   - the machine's root image is made once from Debian's packages
#     (debootstrap, then 32-bit Wine, the Japanese locale, the fonts, CMake,
#     iproute2), with the 32-bit Wine prefix that cmake/wine-run.sh makes
#     (made in a first boot), and kept under $QUORN_VM_CACHE
#     (/var/cache/quorn-vm), in a folder named after a hash of everything
#     that went into it, so that later runs start at the boot; the image is
#     never written by a run;
#   - each run gets a second disk of its own holding the repository, the
#     build folder, the native test name server and the header corpus, bound
#     at the same paths as here (Wine maps programs with mmap, and a virtio-9p
#     share read zeros past a program's first pages: programs must lie on
#     the machine's own disk);
#   - the machine boots without network, runs CTest, writes its log and exit
#     status to that disk and powers off; the log is read back from it.
#
# Usage: test-32bit.sh [--prepare] [--vm] [BUILD_DIR] [-- CTEST_ARGS...]
#   --prepare  only install the host's tools and make the image (test.sh runs
#              this beside the builds, so the image is ready when they are)
#   --vm       use the machine even where 32-bit programs run here
# The log lands in BUILD_DIR/test-32bit.log; the exit status is CTest's.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prepare=0 vm=0
while [ $# -gt 0 ]; do
  case $1 in
    --prepare) prepare=1 ;;
    --vm) vm=1 ;;
    *) break ;;
  esac
  shift
done
build=$root/build/win-i686
if [ $# -gt 0 ] && [ "$1" != -- ]; then build=$(cd "$1" && pwd); shift; fi
[ "${1:-}" = -- ] && shift
ctest_args=("$@")
cache=${QUORN_VM_CACHE:-/var/cache/quorn-vm}
jobs=$(nproc)

if [ $vm = 0 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  [ $prepare = 1 ] && exit 0
  ctest --test-dir "$build" --output-on-failure -j "$jobs" "${ctest_args[@]}"
  exit
fi

# What the machine holds. wine32 needs its i386 libraries at the very version
# of their amd64 twins: the release's own suite alone always matches.
guest_packages=(
  linux-image-amd64 initramfs-tools kmod udev procps
  wine wine64 wine32:i386 libwine:i386
  locales fonts-ipafont-gothic fonts-wine
  cmake iproute2 binutils-mingw-w64-i686
)
# The Debian mirror this machine's apt already uses.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $3 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || { echo "test-32bit: no Debian mirror found in /etc/apt" >&2; exit 1; }

host_tools() {
  local missing=() p
  for p in qemu-system-x86 debootstrap e2fsprogs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} = 0 ] && return
  echo "installing: ${missing[*]}"
  apt-get update -qq || apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# make_image DIR: the machine's kernel, initrd and root file system in DIR.
# Its text is part of the image's key: editing it makes a new image.
make_image() {
  local out=$1 fs=$1/fs
  mkdir -p "$fs"
  debootstrap --variant=minbase --arch=amd64 bookworm "$fs" "$mirror" >"$out/debootstrap.log" 2>&1 ||
    { tail -20 "$out/debootstrap.log" >&2; return 1; }
  mount --bind /proc "$fs/proc"; mount --bind /sys "$fs/sys"; mount --bind /dev "$fs/dev"
  local status=0
  chroot "$fs" /bin/bash -euo pipefail -c '
    export DEBIAN_FRONTEND=noninteractive LC_ALL=C
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "$@"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    # The disks are virtio; "most" keeps their drivers in the initrd.
    sed -i "s/^MODULES=.*/MODULES=most/" /etc/initramfs-tools/initramfs.conf
    update-initramfs -u -k all
    apt-get clean' bash "${guest_packages[@]}" >"$out/packages.log" 2>&1 || status=$?
  umount "$fs/dev" "$fs/sys" "$fs/proc"
  [ $status = 0 ] || { tail -20 "$out/packages.log" >&2; return 1; }
  echo quorn-vm >"$fs/etc/hostname"
  mkdir -p "$fs/work" "$fs/mnt/data"
  # The machine's first and only process: it runs what the run's disk
  # brings (run.sh) and powers off, whatever happens.
  cat >"$fs/sbin/quorn-init" <<'INIT'
#!/bin/bash
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
mount -t proc proc /proc 2>/dev/null
mount -t sysfs sys /sys 2>/dev/null
mount -t tmpfs tmp /tmp
mkdir -p /dev/shm && mount -t tmpfs shm /dev/shm
hostname quorn-vm
ip link set lo up
if mount /dev/vdb /mnt/data && [ -f /mnt/data/run.sh ]; then
  bash /mnt/data/run.sh
else
  echo "quorn-init: no run disk" >&2
fi
sync
umount /work 2>/dev/null; umount /mnt/data
echo o >/proc/sysrq-trigger
sleep 10
echo b >/proc/sysrq-trigger
INIT
  chmod 755 "$fs/sbin/quorn-init"
  cp "$fs"/boot/vmlinuz-* "$out/vmlinuz"
  cp "$fs"/boot/initrd.img-* "$out/initrd.img"
  mkfs.ext4 -q -L quorn-root -d "$fs" "$out/root.img" 6G
  rm -rf "$fs"
}

# boot_machine ROOT_IMAGE RUN_DISK SNAPSHOT: boots the machine of the image
# folder's kernel with the run's disk, until it powers off. SNAPSHOT "on"
# leaves the root image as it was.
boot_machine() {
  local kernel_dir
  kernel_dir=$(dirname "$1")
  # -smap off: with it, the guest kernel oopses on every 32-bit Wine process.
  timeout --foreground 80m qemu-system-x86_64 -accel tcg,thread=multi -cpu max,-smap -smp 2 -m 6G \
    -kernel "$kernel_dir/vmlinuz" -initrd "$kernel_dir/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 quiet loglevel=3 init=/sbin/quorn-init" \
    -drive "file=$1,format=raw,if=virtio,snapshot=$3" \
    -drive "file=$2,format=raw,if=virtio,cache=unsafe" \
    -nic none -display none -monitor none -serial stdio -no-reboot </dev/null
}

# run_disk FOLDER IMAGE SPARE_MB: the run's disk, holding FOLDER, with room
# to spare for what the run writes.
run_disk() {
  mkfs.ext4 -q -L quorn-run -d "$1" "$2" "$(( $(du -sm "$1" | cut -f1) + $3 ))M"
}

# bake_prefix BASE_DIR DIR: the base image with a 32-bit Wine prefix made by
# cmake/wine-run.sh inside the machine (minutes under emulation), so that
# runs find it ready.
bake_prefix() {
  local base=$1 out=$2
  cp "$base/vmlinuz" "$base/initrd.img" "$out/"
  cp --sparse=always "$base/root.img" "$out/root.img"
  mkdir -p "$out/stage"
  cp "$root/cmake/wine-run.sh" "$out/stage/"
  cat >"$out/stage/run.sh" <<'RUN'
export QUORN_WINE_CACHE=/var/lib/quorn-wine
start=$(date +%s)
bash /mnt/data/wine-run.sh /usr/lib/i386-linux-gnu/wine/i386-windows/hostname.exe >/dev/null 2>&1
WINEPREFIX=$QUORN_WINE_CACHE/win32 /usr/lib/wine/wineserver -w
[ -f $QUORN_WINE_CACHE/win32/.quorn-ready ] && echo "== the Wine prefix made in $(( $(date +%s) - start )) s"
RUN
  run_disk "$out/stage" "$out/run.img" 64
  rm -rf "$out/stage"
  boot_machine "$out/root.img" "$out/run.img" off
  rm -f "$out/run.img"
}

# make_once DIR FUNCTION ARGS...: DIR made by FUNCTION (called with ARGS
# and a temporary folder), unless it is there already; locked, so that
# parallel runs wait for one another.
make_once() {
  local dir=$1
  shift
  [ -f "$dir/ready" ] && return
  mkdir -p "$cache"
  (
    flock 9
    [ -f "$dir/ready" ] && exit 0
    start=$SECONDS
    rm -rf "$dir.tmp"
    mkdir -p "$dir.tmp"
    trap 'umount "$dir.tmp/fs/dev" "$dir.tmp/fs/sys" "$dir.tmp/fs/proc" 2>/dev/null || true' EXIT
    "$@" "$dir.tmp"
    trap - EXIT
    touch "$dir.tmp/ready"
    rm -rf "$dir"
    mv "$dir.tmp" "$dir"
    echo "== $dir made in $(( (SECONDS - start + 30) / 60 )) min"
  ) 9>"$cache/.lock"
}

# Each image is named after a hash of everything that went into it.
base_key=$(printf '%s\n' "$(declare -f make_image)" "${guest_packages[*]}" "$mirror" | sha256sum | cut -c1-16)
image_key=$(printf '%s\n' "$base_key" "$(declare -f bake_prefix)" "$(cat "$root/cmake/wine-run.sh")" |
  sha256sum | cut -c1-16)
base=$cache/base-$base_key
image=$cache/$image_key

host_tools
if [ ! -f "$image/ready" ]; then
  echo "== making the 32-bit test machine's image $image (once per machine)"
  make_once "$base" make_image
  make_once "$image" bake_prefix "$base"
fi
[ $prepare = 1 ] && exit 0

# The run's disk: the repository without its build folders, this build
# folder, the native test name server and the corpus, each at its own path.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
test_dns=$(cache_value QUORN_NATIVE_TEST_DNS)
src=$(cache_value CMAKE_HOME_DIRECTORY)
# Where the build found the corpus: named at the configure, or where
# cmake/QuornCommon.cmake looks for it.
corpus=$(cache_value QUORN_CORPUS_DIR)
for candidate in "$src/../shared" /work/shared; do
  [ -z "$corpus" ] && [ -d "$candidate/corpus/headers" ] && corpus=$(cd "$candidate" && pwd)
done
[ "$(cache_value QUORN_RUN_TEST_PROGRAMS)" = ON ] ||
  { echo "test-32bit: $build was configured without QUORN_RUN_TEST_PROGRAMS" >&2; exit 1; }
work=$(mktemp -d /var/tmp/quorn-vm-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
tree=$stage/tree
mkdir -p "$tree$src" "$tree$build" "$stage/results"
tar -C "$src" --exclude=./build --exclude=./.git --exclude=./dist -cf - . | tar -C "$tree$src" -xf -
tar -C "$build" --exclude=./wine --exclude='*.obj' --exclude='*.a' -cf - . | tar -C "$tree$build" -xf -
# Each folder is bound at its own path in the machine.
places=("$src" "$build")
if [ -n "$test_dns" ]; then
  mkdir -p "$tree$(dirname "$test_dns")"
  cp -a "$test_dns" "$tree$test_dns"
  places+=("$(dirname "$test_dns")")
fi
if [ -n "$corpus" ]; then
  mkdir -p "$tree$corpus"
  cp -a "$corpus/corpus" "$tree$corpus/"
  places+=("$corpus")
fi
printf '%q ' "${ctest_args[@]}" >"$stage/ctest-args"
cat >"$stage/run.sh" <<RUN
for place in $(printf '%q ' "${places[@]}"); do
  mkdir -p "\$place"
  mount --bind "/mnt/data/tree\$place" "\$place"
done
# The test namespaces bind files of their own over these (netns.sh); a
# minimal Debian has neither.
[ -e /etc/hosts ] || printf '127.0.0.1 localhost quorn-vm\n' >/etc/hosts
[ -e /etc/resolv.conf ] || : >/etc/resolv.conf
export LANG=C.UTF-8 QUORN_WINE_CACHE=/var/lib/quorn-wine
echo "== 32-bit machine up after \$(cut -d' ' -f1 /proc/uptime) s: \$(uname -r), \$(/usr/lib/wine/wine --version)"
# The image holds the Wine prefix; without it (a failed making), it is made
# first: CTest lists each program's tests before it runs any, and making a
# prefix takes longer than a listing may.
if [ ! -f /var/lib/quorn-wine/win32/.quorn-ready ]; then
  start=\$(date +%s)
  program=\$(find $(printf '%q' "$build/tests") -name '*.exe' | head -1)
  $(printf '%q' "$src/cmake/wine-run.sh") "\$program" --gtest_list_tests >/dev/null 2>&1
  echo "== the Wine prefix made in \$(( \$(date +%s) - start )) s"
fi
# One Wine server for the whole run, started apart from CTest's output
# pipes: under emulation, starting a server and its services for each test
# program costs more than most tests take.
export WINEPREFIX=/var/lib/quorn-wine/win32 WINEDEBUG=-all
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine wineboot </dev/null >/dev/null 2>&1
unset WINEPREFIX
export QUORN_WINE_SERVER=running
start=\$(date +%s)
eval "ctest --test-dir $(printf '%q' "$build") --output-on-failure -j 2 \$(cat /mnt/data/ctest-args)" 2>&1 |
  tee /mnt/data/results/ctest.log
echo "\${PIPESTATUS[0]}" >/mnt/data/results/status
cp "$build/Testing/Temporary/LastTest.log" /mnt/data/results/ 2>/dev/null
echo "== ctest took \$(( \$(date +%s) - start )) s"
WINEPREFIX=/var/lib/quorn-wine/win32 /usr/lib/wine/wineserver -k
RUN
run_disk "$stage" "$work/run.img" 3072
rm -rf "$stage"

echo "== booting the 32-bit test machine (software emulation)"
boot_machine "$image/root.img" "$work/run.img" on || { echo "test-32bit: the machine stopped with status $?" >&2; exit 1; }

for file in ctest.log status LastTest.log; do
  debugfs -R "dump /results/$file $work/$file" "$work/run.img" >/dev/null 2>&1 || true
done
[ -s "$work/ctest.log" ] && cp "$work/ctest.log" "$build/test-32bit.log"
[ -s "$work/LastTest.log" ] && cp "$work/LastTest.log" "$build/test-32bit.LastTest.log"
[ -s "$work/status" ] || { echo "test-32bit: the machine brought back no result" >&2; exit 1; }
exit "$(cat "$work/status")"
