#!/bin/sh
# Installed by install-linux.sh beside the calculator, which puts in the
# Wine architecture it was built for. Starts the calculator from its folder,
# where Help, Contents finds the help file by its bare name, in a Wine
# prefix of its own beside it, made on the first start as the tests make
# theirs: with Wine's own fonts, so that the dialog lays out as tested, and
# without offers to install Mono or Gecko or menu entries made by Wine.
folder=$(dirname "$(readlink -f "$0")")
arch=@WINE_ARCH@
export WINEPREFIX="$folder/wineprefix" WINEARCH="$arch" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINELOADER=/usr/lib/wine/wine
[ "$arch" = win64 ] && WINELOADER=/usr/lib/wine/wine64
export WINELOADER

if [ ! -f "$WINEPREFIX/.ready" ]; then
    echo "Setting up Wine for Corvalin Calculator in $WINEPREFIX (once)" >&2
    "$WINELOADER" wineboot -u </dev/null >/dev/null 2>&1
    wineserver -w
    if ! cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"; then
        echo "corvalin-calculator: could not set up the Wine prefix $WINEPREFIX" >&2
        exit 125
    fi
    touch "$WINEPREFIX/.ready"
fi
# Wine's background processes start here with their output going nowhere,
# so that they never hold the output of whoever started the menu entry.
"$WINELOADER" wineboot </dev/null >/dev/null 2>&1

cd "$folder" && exec "$WINELOADER" CorvalinCalc.exe
