#!/usr/bin/env bash
# wine-env.sh [--host-network] [--prefix DIR] [--use-display] COMMAND [ARGS...]
# Runs COMMAND in the environment every Windows test needs: a private user and network namespace
# (the kernel refuses clock changes there and nothing leaves the machine), loopback with a multicast
# route, a virtual X display, and a throwaway Wine prefix with the settings below. Everything is torn
# down afterwards; the command's exit status is returned.
#   --host-network  keep the machine's network (to receive a real WSJT-X); still a private user
#                   namespace, so no clock can be changed
#   --prefix DIR    use and keep the Wine prefix DIR (created on first use) instead of a throwaway one
#   --use-display   show windows on the current $DISPLAY when there is one, instead of a virtual display
set -euo pipefail

host_network=0
keep_prefix=""
use_display=0
while [ $# -gt 0 ]; do
    case "$1" in
    --host-network) host_network=1 ;;
    --prefix) keep_prefix=$(mkdir -p "$2" && cd "$2" && pwd); shift ;;
    --use-display) use_display=1 ;;
    *) break ;;
    esac
    shift
done

if [ "${TAVREL_WINE_ENV:-}" != 1 ]; then
    namespaces=(--user --map-root-user)
    [ "$host_network" = 1 ] || namespaces+=(--net)
    exec unshare "${namespaces[@]}" --fork --kill-child \
        env TAVREL_WINE_ENV=1 TAVREL_HOST_NETWORK="$host_network" TAVREL_PREFIX="$keep_prefix" \
        TAVREL_USE_DISPLAY="$use_display" "$0" "$@"
fi

export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts when the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ "$TAVREL_HOST_NETWORK" != 1 ]; then
    ip link set lo up
    ip route add 224.0.0.0/4 dev lo
fi

if [ -n "$TAVREL_PREFIX" ]; then
    prefix="$TAVREL_PREFIX"
else
    prefix=$(mktemp -d /tmp/tavrel-wine.XXXXXX)
fi
xvfb_pid=""
cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    [ -n "$TAVREL_PREFIX" ] || rm -rf "$prefix"
}
trap cleanup EXIT

if [ "$TAVREL_USE_DISPLAY" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    export TAVREL_VIRTUAL_DISPLAY=0
else
    # A free display number is chosen by Xvfb itself and written to fd 5.
    display_file=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(tr -d '\n' <"$display_file")"
    export TAVREL_VIRTUAL_DISPLAY=1
    rm -f "$display_file"
fi

export WINEPREFIX="$prefix"
wine64 wineboot -i >/dev/null 2>&1
# Without a window manager (the virtual display) every hide or close of a managed window costs 2 s.
managed=N
[ "$TAVREL_VIRTUAL_DISPLAY" = 1 ] || managed=Y
cat >"$prefix/tavrel-tweaks.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="$managed"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
wine64 regedit /S "Z:${prefix//\//\\}\\tavrel-tweaks.reg" >/dev/null 2>&1
wineserver -w
"$(dirname "$0")/wine-boot.sh"

set +e
"$@"
status=$?
set -e
exit $status
