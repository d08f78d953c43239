#!/usr/bin/env bash
# run.sh [--demo] | --listen [ARGS...]
# Builds Tavrel and starts it under Wine on this machine's network, so a WSJT-X on this PC (or a
# multicast group on the LAN) reaches it. On a desktop the window opens there; without one, Tavrel runs
# on a virtual display and a screenshot of its window is saved. Installs what is missing first.
#   --demo            also presses "Listen" and plays scripts/wsjtx-feed.py to it, so decodes arrive
#   --listen ARGS...  starts the console companion tavrel-listen instead (--help lists its ARGS)
# Tavrel runs inside a private user namespace, where no clock can be changed: "Update" shows what it
# would do, but this machine's clock stays as it is. Ctrl+C (or closing the window) ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh windows >/dev/null
env=(scripts/wine-env.sh --host-network --prefix build/run-prefix --use-display)

if [ "${1:-}" = --listen ]; then
    shift
    echo "Starting tavrel-listen (Ctrl+C ends it)..."
    exec "${env[@]}" /usr/lib/wine/wine64 build/windows/tools/tavrel-listen.exe "$@"
fi
demo=0
[ "${1:-}" = --demo ] && demo=1
exec "${env[@]}" scripts/run-window.sh "$demo"
