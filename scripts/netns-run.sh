#!/bin/bash
# Runs a command in a private network namespace: loopback and one adapter, veth0, with the
# fixed MAC 02:11:22:33:44:55 and address 10.254.0.1/24. Nothing sent inside leaves the
# machine. The veth's peer lives in a second namespace held by a sleeping process, so the
# only adapter visible inside is veth0.
set -e
exec unshare -n bash -c '
set -e
ip link set lo up
unshare -n sleep 86400 & holder=$!
for i in $(seq 50); do [ -e /proc/$holder/ns/net ] && [ "$(readlink /proc/$holder/ns/net)" != "$(readlink /proc/self/ns/net)" ] && break; sleep 0.05; done
ip link add veth0 type veth peer name veth1 netns "$holder"
ip link set veth0 address 02:11:22:33:44:55
ip addr add 10.254.0.1/24 dev veth0
ip link set veth0 up
nsenter -t "$holder" -n ip link set veth1 up
set +e
"$@"; rc=$?
kill "$holder" 2>/dev/null
exit $rc' netns-run "$@"
