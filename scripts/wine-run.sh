#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]
# Runs one Windows program under Wine. Inside wine-env.sh it starts the program directly (in a lane of
# its own when there are lanes); on its own it first sets up that environment, so a single test program
# can be run by hand.
set -euo pipefail
if [ "${TAVREL_WINE_ENV:-}" != 1 ]; then
    exec "$(dirname "$0")/wine-env.sh" "$0" "$@"
fi
if [ -n "${TAVREL_WINE_LANES:-}" ] && [ -z "${TAVREL_WINE_LANE:-}" ]; then
    exec "$(dirname "$0")/wine-lane.sh" "$0" "$@"
fi
exec /usr/lib/wine/wine64 "$@"
