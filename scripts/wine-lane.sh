#!/usr/bin/env bash
# wine-lane.sh COMMAND [ARGS...]
# Runs COMMAND in a Wine session of its own: inside wine-env.sh --lanes N it waits for a free lane
# (prefix, server and virtual display) and holds it until COMMAND ends, so tests that run at once never
# share windows, settings or a server restart. Inside a lane, or without lanes, it just runs COMMAND.
set -euo pipefail
if [ -z "${TAVREL_WINE_LANES:-}" ] || [ -n "${TAVREL_WINE_LANE:-}" ]; then
    exec "$@"
fi
while :; do
    for lane in "$TAVREL_WINE_LANES"/*/; do
        exec {lock}>"$lane/lock"
        if flock -n "$lock"; then
            # shellcheck disable=SC1091
            source "$lane/env"
            export TAVREL_WINE_LANE="$lane"
            # The lock stays with this shell: a server or desktop that COMMAND (re)starts must not hold it.
            set +e
            "$@" {lock}>&-
            exit $?
        fi
        exec {lock}>&-
    done
    sleep 0.1 # every lane is busy
done
