#!/bin/sh
# linux-install-test.sh BIN-FOLDER: the Linux menu entry, installed into a
# scratch XDG_DATA_HOME: valid, starting the program in its folder, with a
# Help action on the help pages; removed again without a trace.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
fail() { echo "linux-install-test: $*" >&2; exit 1; }

"$root/scripts/install-linux.sh" "$1" >/dev/null
folder=$XDG_DATA_HOME/corvalin-calculator
entry=$XDG_DATA_HOME/applications/corvalin-calculator.desktop
for file in CorvalinCalc.exe "Corvalin Calculator.chm" help/index.html help/examples.html help/style.css; do
    [ -f "$folder/$file" ] || fail "$file not installed"
done
[ -f "$XDG_DATA_HOME/icons/hicolor/16x16/apps/corvalin-calculator.png" ] || fail "icon not installed"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -q "^Exec=.*wine.* \"$folder/CorvalinCalc.exe\"\$" "$entry" || fail "Exec line"
grep -qx "Path=$folder" "$entry" || fail "working directory"
grep -qx "Exec=xdg-open \"$folder/help/index.html\"" "$entry" || fail "Help action"

"$root/scripts/install-linux.sh" --uninstall >/dev/null
left=$(find "$XDG_DATA_HOME" -type f | head -n 1)
[ -z "$left" ] || fail "left behind: $left"
[ ! -d "$folder" ] || fail "left behind: $folder"
echo "linux-install-test: passed"
