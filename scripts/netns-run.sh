#!/usr/bin/env bash
# netns-run.sh COMMAND [ARGS...]
# Runs COMMAND in a private user and network namespace with loopback up. The kernel refuses any clock
# change there, nothing it sends leaves the machine, and its ports clash with nothing outside.
set -euo pipefail
if [ "${TAVREL_NETNS:-}" != 1 ]; then
    exec unshare --user --map-root-user --net --fork --kill-child env TAVREL_NETNS=1 "$0" "$@"
fi
ip link set lo up
exec "$@"
