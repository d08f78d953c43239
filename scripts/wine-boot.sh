#!/usr/bin/env bash
# wine-boot.sh
# (Re)starts the Wine session of $WINEPREFIX the way every Windows test expects it: one server kept for
# the whole run, the prefix's services booted, and the desktop held open. Nothing it starts keeps a
# caller's output open, so it is safe after a test has ended the server (wineserver -k) to change a
# setting that is only read at start: without it, the next program to start would boot the services
# itself, and they would hold that program's output pipe open for ever.
set -euo pipefail
# Each program then starts in a fraction of a second instead of booting the prefix's services again.
wineserver -p
wine64 wineboot >/dev/null 2>&1 || true
# Wine closes the desktop a second after its last program ends, and a window created while the desktop
# restarts can fail. A command shell waiting for a line that never comes holds it; it holds the pipe's
# write end itself, so the line never comes until wineserver -k ends it.
keep="$WINEPREFIX/keep-desktop"
[ -p "$keep" ] || mkfifo "$keep"
wine64 cmd /c "set /p keep=" <>"$keep" >/dev/null 2>&1 &
wine64 explorer.exe /desktop >/dev/null 2>&1 &
