#!/bin/sh
# The Linux menu entry: installed into a scratch XDG_DATA_HOME, valid, and
# removed again without a trace.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
fail() { echo "linux-install-test: $*" >&2; exit 1; }

"$root/scripts/install-linux.sh" >/dev/null
entry=$XDG_DATA_HOME/applications/corvalin-calculator.desktop
[ -f "$XDG_DATA_HOME/corvalin-calculator/CorvalinCalc.exe" ] || fail "program not installed"
[ -f "$XDG_DATA_HOME/corvalin-calculator/Corvalin Calculator.chm" ] || fail "help file not installed"
[ -f "$XDG_DATA_HOME/icons/hicolor/16x16/apps/corvalin-calculator.png" ] || fail "icon not installed"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -q "^Exec=.*wine.* \"$XDG_DATA_HOME/corvalin-calculator/CorvalinCalc.exe\"\$" "$entry" || fail "Exec line"
grep -qx "Path=$XDG_DATA_HOME/corvalin-calculator" "$entry" || fail "working directory"

"$root/scripts/install-linux.sh" --uninstall >/dev/null
left=$(find "$XDG_DATA_HOME" -type f | head -n 1)
[ -z "$left" ] || fail "left behind: $left"
echo "linux-install-test: passed"
