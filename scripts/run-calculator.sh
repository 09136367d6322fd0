#!/bin/sh
# Starts the calculator under Wine. With a display, on that display until
# you close it; without one, on a virtual display, where a screenshot is
# saved to build/screenshot.png and the calculator is ended.
set -eu
cd "$(dirname "$0")/.."

tree=$(scripts/wine-test-tree.sh)
if [ "$tree" = win32 ]; then
    arch=win32
else
    arch=win64
    echo "This machine cannot run 32-bit x86 processes: starting the 64-bit build of the calculator."
fi
program=build/$tree/bin/CorvalinCalc.exe

if [ -n "${DISPLAY:-}" ]; then
    WINE_RUN_DESKTOP=none exec cmake/wine-run.sh "$PWD/build/$tree/wineprefix-run" "$arch" "$program"
fi

# No display: show it on a virtual one inside a Wine desktop, photograph it.
screenshot=build/screenshot.png
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>build/run.display >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f build/run.display' EXIT
while [ ! -s build/run.display ]; do sleep 0.1; done
export DISPLAY=":$(cat build/run.display)"

# Make the prefix first: its set-up shows windows of its own.
cmake/wine-run.sh "$PWD/build/$tree/wineprefix" "$arch" wineboot >/dev/null 2>&1 || true
cmake/wine-run.sh "$PWD/build/$tree/wineprefix" "$arch" "$program" &
runner=$!
# The window is up when the desktop shows more than its background.
tries=0
while [ $tries -lt 300 ]; do
    sleep 0.2
    tries=$((tries + 1))
    import -window root "$screenshot" 2>/dev/null || continue
    [ "$(convert "$screenshot" -format '%k' info:)" -gt 40 ] && break
done
sleep 1
import -window root "$screenshot"
convert "$screenshot" -trim +repage "$screenshot"
WINEPREFIX="$PWD/build/$tree/wineprefix" wineserver -k
wait "$runner" 2>/dev/null || true
echo "No display here: the calculator ran on a virtual one; screenshot saved to $screenshot"
