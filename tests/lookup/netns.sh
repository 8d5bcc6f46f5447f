#!/usr/bin/env bash
# Runs a command in a network namespace of its own, with only a loopback
# interface, its own hosts file and resolv.conf, and optionally a name server
# of the test's on 127.0.0.1:53. The machine's own /etc files are never
# touched (they are covered by bind mounts inside the namespace only), and
# nothing leaves the machine. A machine that cannot make the namespace fails
# the test loudly.
#
# Usage: netns.sh HOSTS_LINES DNS_MODE TEST_DNS -- COMMAND...
#   HOSTS_LINES  lines for the hosts file, "\n" between them
#   DNS_MODE     none (nothing listens: queries are refused at once),
#                never (a server that never answers), or answer:NAME:DELAY_MS
#   TEST_DNS     the test-dns helper program ("-" with DNS_MODE none)
set -euo pipefail
if [ "${QUORN_IN_NETNS:-}" != 1 ]; then
  if ! unshare --net --mount true 2>/dev/null; then
    echo "FAIL: cannot create a network namespace (unshare --net --mount); the lookup tests need root" >&2
    exit 1
  fi
  QUORN_IN_NETNS=1 exec unshare --net --mount "$0" "$@"
fi

hosts_lines=$1 dns_mode=$2 test_dns=$3
shift 3
[ "$1" = -- ] && shift

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
printf '127.0.0.1 localhost %s\n' "$(hostname)" >"$work/hosts"
printf "$hosts_lines\n" >>"$work/hosts"
printf 'nameserver 127.0.0.1\noptions timeout:30 attempts:1\n' >"$work/resolv.conf"
mount --make-rprivate / 2>/dev/null || true
mount --bind "$work/hosts" /etc/hosts
mount --bind "$work/resolv.conf" /etc/resolv.conf
ip link set lo up

case $dns_mode in
  none) ;;
  never) "$test_dns" never >"$work/dns.log" 2>&1 & ;;
  answer:*) IFS=: read -r _ name delay <<<"$dns_mode"; "$test_dns" answer "$name" "$delay" >"$work/dns.log" 2>&1 & ;;
esac
if [ "$dns_mode" != none ]; then
  for _ in $(seq 50); do grep -q ready "$work/dns.log" 2>/dev/null && break; sleep 0.1; done
  grep -q ready "$work/dns.log" || { echo "FAIL: the test name server did not start" >&2; cat "$work/dns.log" >&2; exit 1; }
fi
"$@"
