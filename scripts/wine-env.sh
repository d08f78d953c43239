#!/usr/bin/env bash
# wine-env.sh COMMAND [ARGS...]
# Runs COMMAND in the environment every Windows test needs: a private user and network namespace
# (the kernel refuses clock changes there and nothing leaves the machine), loopback with a multicast
# route, a virtual X display, and a throwaway Wine prefix with the settings below. Everything is torn
# down afterwards; the command's exit status is returned.
set -euo pipefail

if [ "${TAVREL_WINE_ENV:-}" != 1 ]; then
    exec unshare --user --map-root-user --net --fork --kill-child \
        env TAVREL_WINE_ENV=1 "$0" "$@"
fi

export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts when the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

ip link set lo up
ip route add 224.0.0.0/4 dev lo

prefix=$(mktemp -d /tmp/tavrel-wine.XXXXXX)
xvfb_pid=""
cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$prefix"
}
trap cleanup EXIT

# A free display number is chosen by Xvfb itself and written to fd 5.
display_file=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.05
done
export DISPLAY=":$(tr -d '\n' <"$display_file")"
rm -f "$display_file"

export WINEPREFIX="$prefix"
wine64 wineboot -i >/dev/null 2>&1
cat >"$prefix/tavrel-tweaks.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
wine64 regedit /S "Z:${prefix//\//\\}\\tavrel-tweaks.reg" >/dev/null 2>&1
wineserver -w
# Keep one server for the whole run: each program then starts in a fraction of a second instead of
# booting the prefix's services again.
wineserver -p
wine64 wineboot >/dev/null 2>&1 || true

set +e
"$@"
status=$?
set -e
exit $status
