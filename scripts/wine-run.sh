#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]
# Runs one Windows program under Wine. Inside wine-env.sh it starts the program directly; on its own it
# first sets up that environment, so a single test program can be run by hand.
set -euo pipefail
if [ "${TAVREL_WINE_ENV:-}" != 1 ]; then
    exec "$(dirname "$0")/wine-env.sh" "$0" "$@"
fi
exec /usr/lib/wine/wine64 "$@"
