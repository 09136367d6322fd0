#!/bin/sh
# wine-run.sh PREFIX ARCH PROGRAM [ARGUMENTS...]
#
# Runs a Windows program under Wine and passes its exit code back. PREFIX is
# a Wine prefix kept in the build tree, made on first use (win32 or win64 as
# ARCH says), warmed and given Wine's own fonts, so that "MS Sans Serif" is
# the real face and dialog units come out as on Windows. Wine's debug output,
# crash dialogs and offers to install Mono or Gecko are switched off. Without
# a DISPLAY, a virtual X display is started for the run and stopped after it.
# Windows open in a Wine virtual desktop of WINE_RUN_DESKTOP (1280x1024 by
# default), which gives them Windows' frames, captions and activation; with
# WINE_RUN_DESKTOP=none, a new prefix puts them on the display as they are.
# With WINE_RUN_TIME=FILE, /usr/bin/time writes to FILE the seconds, the
# peak resident kilobytes and the user and system CPU seconds of the Wine
# process that runs the program, and of nothing else this script starts (the
# X display, wineboot).
set -u
prefix=$1
arch=$2
shift 2

export WINEPREFIX="$prefix"
export WINEARCH="$arch"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$arch" = win64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
else
    export WINELOADER=/usr/lib/wine/wine
fi
wine=$WINELOADER

xvfb_pid=""
stop() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -f "$prefix.display"
}
trap stop EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
    rm -f "$prefix.display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$prefix.display" >/dev/null 2>&1 &
    xvfb_pid=$!
    tries=0
    while [ ! -s "$prefix.display" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "wine-run: Xvfb did not start" >&2
            exit 125
        fi
        sleep 0.1
    done
    export DISPLAY=":$(cat "$prefix.display")"
fi

# Make the prefix once; parallel runs wait for the first.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.ready" ]; then
    rm -rf "$prefix"
    "$wine" wineboot -u </dev/null >/dev/null 2>&1
    wineserver -w
    if [ ! -d "$prefix/drive_c/windows/Fonts" ]; then
        echo "wine-run: could not make the Wine prefix $prefix" >&2
        rm -rf "$prefix"
        exit 125
    fi
    cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    # No crash dialog waiting for a click.
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1
    desktop=${WINE_RUN_DESKTOP:-1280x1024}
    if [ "$desktop" != none ]; then
        "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f \
            </dev/null >/dev/null 2>&1
    fi
    wineserver -w
    touch "$prefix/.ready"
fi
exec 9>&-

# Start Wine's background processes with their output going nowhere, so
# that they never hold the caller's output open.
"$wine" wineboot </dev/null >/dev/null 2>&1

if [ -n "${WINE_RUN_TIME:-}" ]; then
    /usr/bin/time -f '%e %M %U %S' -o "$WINE_RUN_TIME" "$wine" "$@"
else
    "$wine" "$@"
fi
status=$?
exit $status
