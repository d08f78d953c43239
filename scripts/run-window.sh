#!/usr/bin/env bash
# run-window.sh DEMO — run.sh's part inside the Wine environment: starts Tavrel.exe, optionally feeds
# it, and on a virtual display saves a screenshot of its window. Ends when Tavrel ends.
set -euo pipefail
demo=$1
wine=/usr/lib/wine/wine64
probe=build/windows/tests/bin/tavrel-probe.exe
screenshot=build/screenshot.png

"$wine" build/windows/Tavrel.exe &
tavrel=$!
trap 'kill $tavrel 2>/dev/null || true' INT TERM

if [ "$demo" = 1 ] || [ "$TAVREL_VIRTUAL_DISPLAY" = 1 ]; then
    "$wine" "$probe" wait-window 20000 >/dev/null
fi
if [ "$demo" = 1 ]; then
    "$wine" "$probe" click 1000 # Listen
    python3 scripts/wsjtx-feed.py --fast --periods 2 --offset 0.30 >/dev/null
    "$wine" "$probe" click 1005 # Calculate
    echo "Demo: two periods of decodes sent; \"Calculate\" put the estimate into the offset field."
    echo "More traffic: scripts/wsjtx-feed.py (see --help)."
fi
if [ "$TAVREL_VIRTUAL_DISPLAY" = 1 ]; then
    sleep 1
    window=$(xdotool search --name '^Tavrel$' | head -n 1)
    import -window "$window" "$screenshot"
    echo "No desktop here: Tavrel runs on a virtual display. Its window is in $screenshot"
fi
echo "Tavrel is running (Ctrl+C ends it)."
wait $tavrel || true
