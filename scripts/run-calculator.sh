#!/bin/sh
# run-calculator.sh BIN-FOLDER: starts the CorvalinCalc.exe of BIN-FOLDER
# under Wine, from that folder, where the help file is found by its bare
# name. With a display, on that display until you close it; without one, on
# a virtual display, where a screenshot is saved to build/screenshot.png and
# the calculator is ended. The Wine prefixes (build/wineprefix-run for a
# display, build/wineprefix-shot with a Wine desktop for the screenshot)
# are made on the first run and kept warm for the next.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
bin=$(cd "$1" && pwd)
arch=win32
if [ "$(scripts/wine-test-tree.sh)" = win64 ]; then
    arch=win64
    echo "This machine cannot run 32-bit x86 processes: starting the 64-bit build of the calculator."
fi

if [ -n "${DISPLAY:-}" ]; then
    cd "$bin"
    WINE_RUN_DESKTOP=none exec "$root/cmake/wine-run.sh" "$root/build/wineprefix-run" "$arch" CorvalinCalc.exe
fi
prefix=$root/build/wineprefix-shot

# No display: show it on a virtual one inside a Wine desktop, photograph it.
screenshot=$root/build/screenshot.png
display=$root/build/run.display
rm -f "$display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$display"' EXIT
tries=0
while [ ! -s "$display" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || { echo "run-calculator: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
export DISPLAY=":$(cat "$display")"

# Make the prefix first, when there is none: its set-up shows windows of
# its own.
[ -f "$prefix/.ready" ] || WINE_RUN_DESKTOP=800x600 "$root/cmake/wine-run.sh" "$prefix" "$arch" wineboot >/dev/null 2>&1 || true
(cd "$bin" && exec "$root/cmake/wine-run.sh" "$prefix" "$arch" CorvalinCalc.exe) &
runner=$!
# The window is up when the desktop shows more than its background, and
# painted when two photographs a moment apart agree.
tries=0
previous=""
while [ $tries -lt 300 ]; do
    sleep 0.1
    tries=$((tries + 1))
    import -window root "$screenshot" 2>/dev/null || continue
    [ "$(convert "$screenshot" -format '%k' info:)" -gt 40 ] || continue
    current=$(md5sum <"$screenshot")
    [ "$current" = "$previous" ] && break
    previous=$current
done
convert "$screenshot" -trim +repage "$screenshot"
WINEPREFIX="$prefix" wineserver -k
wait "$runner" 2>/dev/null || true
echo "No display here: the calculator ran on a virtual one; screenshot saved to $screenshot"
