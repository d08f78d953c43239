#!/usr/bin/env bash
# run.sh [ARGS...]
# Builds Tavrel and starts tavrel-listen under Wine on this machine's network, so a WSJT-X on this PC
# (or a multicast group on the LAN) reaches it. It prints what Tavrel will do with each datagram; ARGS
# go to it (--help lists them). Ctrl+C ends it. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh windows
echo "Starting tavrel-listen (Ctrl+C ends it)..."
exec scripts/wine-env.sh --host-network --prefix build/run-prefix --use-display \
    /usr/lib/wine/wine64 build/windows/tools/tavrel-listen.exe "$@"
