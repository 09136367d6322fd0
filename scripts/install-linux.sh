#!/bin/sh
# Puts the calculator into the user's application menu, started through
# Wine from an installed folder; with --uninstall, takes it out again.
# Everything goes under XDG_DATA_HOME (~/.local/share).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
folder=$data/corvalin-calculator
entry=$data/applications/corvalin-calculator.desktop
icon=$data/icons/hicolor/16x16/apps/corvalin-calculator.png

if [ "${1:-}" = --uninstall ]; then
    rm -f "$entry" "$icon" "$folder/CorvalinCalc.exe" "$folder/Corvalin Calculator.chm"
    rmdir "$folder" 2>/dev/null || true
    echo "Corvalin Calculator removed from the menu."
    exit 0
fi

# The 32-bit program, or its 64-bit build where this machine runs no 32-bit
# processes.
tree=$("$root/scripts/wine-test-tree.sh")
wine=wine
[ "$tree" = win64 ] && wine="env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64"
mkdir -p "$folder" "$(dirname "$entry")" "$(dirname "$icon")"
cp "$root/build/$tree/bin/CorvalinCalc.exe" "$root/build/$tree/bin/Corvalin Calculator.chm" "$folder/"
convert "$root/res/corvalin.ico" "$icon"
cat > "$entry" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Corvalin Calculator
Comment=Canvas to print for a gallery wrap
Exec=$wine "$folder/CorvalinCalc.exe"
Path=$folder
Icon=corvalin-calculator
Terminal=false
Categories=Graphics;Utility;
DESKTOP
echo "Corvalin Calculator added to the menu ($entry)."
