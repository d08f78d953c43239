#!/usr/bin/env bash
# wine-env.sh [--host-network] [--prefix DIR] [--use-display] [--lanes N] COMMAND [ARGS...]
# Runs COMMAND in the environment every Windows test needs: a private user and network namespace
# (the kernel refuses clock changes there and nothing leaves the machine), loopback with a multicast
# route, a virtual X display, and a throwaway Wine prefix with the settings below. Everything is torn
# down afterwards; the command's exit status is returned.
#   --host-network  keep the machine's network (to receive a real WSJT-X); still a private user
#                   namespace, so no clock can be changed
#   --prefix DIR    use and keep the Wine prefix DIR (created on first use) instead of a throwaway one
#   --use-display   show windows on the current $DISPLAY when there is one, instead of a virtual display
#   --lanes N       N independent Wine sessions (prefix, server and virtual display each), so N tests can
#                   run at once without seeing each other's windows or settings; wine-lane.sh gives a
#                   command a free one. COMMAND itself gets the first. One without --lanes.
# A throwaway prefix is a copy of a booted one kept in build/wine-prefix (made once per Wine version and
# settings): booting a prefix takes about 8 s and saving its settings 5 s more, copying one 0.3 s.
set -euo pipefail

host_network=0
keep_prefix=""
use_display=0
lanes=1
while [ $# -gt 0 ]; do
    case "$1" in
    --host-network) host_network=1 ;;
    --prefix) keep_prefix=$(mkdir -p "$2" && cd "$2" && pwd); shift ;;
    --use-display) use_display=1 ;;
    --lanes) lanes=$2; shift ;;
    *) break ;;
    esac
    shift
done

if [ "${TAVREL_WINE_ENV:-}" != 1 ]; then
    namespaces=(--user --map-root-user)
    [ "$host_network" = 1 ] || namespaces+=(--net)
    exec unshare "${namespaces[@]}" --fork --kill-child \
        env TAVREL_WINE_ENV=1 TAVREL_HOST_NETWORK="$host_network" TAVREL_PREFIX="$keep_prefix" \
        TAVREL_USE_DISPLAY="$use_display" TAVREL_LANES="$lanes" "$0" "$@"
fi

export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts when the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ "$TAVREL_HOST_NETWORK" != 1 ]; then
    ip link set lo up
    ip route add 224.0.0.0/4 dev lo
fi

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tavrel-wine.XXXXXX)
xvfb_pids=()
prefixes=()
cleanup() {
    local servers=()
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 &
        servers+=($!)
    done
    for pid in "${servers[@]}"; do wait "$pid" || true; done
    for pid in "${xvfb_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# start_display FILE: a virtual display whose name goes to FILE (Xvfb chooses a free number).
start_display() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$1.number" >/dev/null 2>&1 &
    xvfb_pids+=($!)
}
wait_display() {
    for _ in $(seq 100); do
        [ -s "$1.number" ] && break
        sleep 0.05
    done
    echo ":$(tr -d '\n' <"$1.number")"
}

[ "$TAVREL_USE_DISPLAY" = 1 ] && [ -n "${DISPLAY:-}" ] && TAVREL_VIRTUAL_DISPLAY=0 || TAVREL_VIRTUAL_DISPLAY=1
export TAVREL_VIRTUAL_DISPLAY
if [ "$TAVREL_VIRTUAL_DISPLAY" = 0 ] || [ -n "$TAVREL_PREFIX" ]; then
    TAVREL_LANES=1 # one display, or one prefix, to share
fi
if [ "$TAVREL_VIRTUAL_DISPLAY" = 1 ]; then
    for lane in $(seq 0 $((TAVREL_LANES - 1))); do start_display "$work/display$lane"; done
    export DISPLAY
    DISPLAY=$(wait_display "$work/display0")
fi

# Without a window manager (the virtual display) every hide or close of a managed window costs 2 s.
managed=N
[ "$TAVREL_VIRTUAL_DISPLAY" = 1 ] || managed=Y
tweaks="REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
\"Managed\"=\"$managed\"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
\"ShowCrashDialog\"=dword:00000000
"

# boot_prefix DIR: a new prefix in DIR with the settings above, its server ended so they are saved.
boot_prefix() {
    WINEPREFIX="$1" wine64 wineboot -i >/dev/null 2>&1
    printf '%s' "$tweaks" >"$1/tavrel-tweaks.reg"
    WINEPREFIX="$1" wine64 regedit /S "Z:${1//\//\\}\\tavrel-tweaks.reg" >/dev/null 2>&1
    WINEPREFIX="$1" wineserver -k
    WINEPREFIX="$1" wineserver -w
}

# copy_prefix TEMPLATE DIR: a prefix of its own in DIR. system32's DLLs (630 MB) are only ever read, so
# they are hard links, quick to make and to remove; everything else is copied, as Wine rewrites some
# files (win.ini, ...) in place.
copy_prefix() {
    mkdir "$2"
    tar -C "$1" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$2" -xf -
    cp -al "$1/drive_c/windows/system32" "$2/drive_c/windows/"
}

if [ -n "$TAVREL_PREFIX" ]; then
    prefixes=("$TAVREL_PREFIX")
    boot_prefix "$TAVREL_PREFIX"
else
    templates="$here/../build/wine-prefix"
    key=$( (wine64 --version; printf '%s' "$tweaks") | sha1sum | cut -c1-16)
    template="$templates/$key"
    if [ ! -f "$template/system.reg" ]; then
        mkdir -p "$templates"
        # Older Wine versions' or settings' prefixes go; one another run is making is left alone.
        for old in "$templates"/????????????????; do [ "$old" = "$template" ] || rm -rf "$old"; done
        fresh=$(mktemp -d "$templates/new.XXXXXX")
        boot_prefix "$fresh"
        mv -T "$fresh" "$template" 2>/dev/null || rm -rf "$fresh" # another run made it meanwhile
    fi
    export TAVREL_WINE_TEMPLATE="$template"
    copies=()
    for lane in $(seq 0 $((TAVREL_LANES - 1))); do
        prefixes+=("$work/prefix$lane")
        copy_prefix "$template" "$work/prefix$lane" &
        copies+=($!)
    done
    for pid in "${copies[@]}"; do wait "$pid"; done
fi

export WINEPREFIX="${prefixes[0]}"
boots=()
for lane in $(seq 0 $((${#prefixes[@]} - 1))); do
    prefix=${prefixes[$lane]}
    display=$DISPLAY
    [ "$lane" = 0 ] || display=$(wait_display "$work/display$lane")
    # A lane: the session wine-lane.sh hands out; its lock is held while a command uses it.
    mkdir -p "$work/lanes/$lane"
    printf 'export WINEPREFIX=%q DISPLAY=%q\n' "$prefix" "$display" >"$work/lanes/$lane/env"
    WINEPREFIX="$prefix" DISPLAY="$display" "$here/wine-boot.sh" &
    boots+=($!)
done
for pid in "${boots[@]}"; do wait "$pid"; done
export TAVREL_WINE_LANES="$work/lanes"

set +e
"$@"
status=$?
set -e
exit $status
