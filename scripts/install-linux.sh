#!/bin/sh
# install-linux.sh BIN-FOLDER: puts the calculator of BIN-FOLDER into the
# user's application menu, started through Wine from an installed folder,
# with a Help action that opens the help pages in the desktop's browser
# (Wine's help viewer shows no pages under Debian's Wine). With
# --uninstall, takes it all out again. Everything goes under XDG_DATA_HOME
# (~/.local/share).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
folder=$data/corvalin-calculator
entry=$data/applications/corvalin-calculator.desktop
icon=$data/icons/hicolor/16x16/apps/corvalin-calculator.png

if [ "$1" = --uninstall ]; then
    rm -f "$entry" "$icon" "$folder/CorvalinCalc.exe" "$folder/Corvalin Calculator.chm"
    rm -rf "$folder/help"
    rmdir "$folder" 2>/dev/null || true
    echo "Corvalin Calculator removed from the menu."
    exit 0
fi

bin=$(cd "$1" && pwd)
wine=wine
[ "$("$root/scripts/wine-test-tree.sh")" = win64 ] && wine="env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64"
mkdir -p "$folder/help" "$(dirname "$entry")" "$(dirname "$icon")"
cp "$bin/CorvalinCalc.exe" "$bin/Corvalin Calculator.chm" "$folder/"
cp "$root"/res/help/*.html "$root/res/help/style.css" "$folder/help/"
convert "$root/res/corvalin.ico" "$icon"
cat >"$entry" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Corvalin Calculator
Comment=Canvas to print for a gallery wrap
Exec=$wine "$folder/CorvalinCalc.exe"
Path=$folder
Icon=corvalin-calculator
Terminal=false
Categories=Graphics;Utility;
Actions=Help;

[Desktop Action Help]
Name=Help
Exec=xdg-open "$folder/help/index.html"
DESKTOP
echo "Corvalin Calculator added to the menu ($entry); its help is $folder/help/index.html."
