#!/bin/sh
# linux-install-test.sh BIN-FOLDER: install-linux.sh with a scratch HOME and
# XDG_DATA_HOME: the programs, the help and a launcher in their folder, a
# valid menu entry with a Help action on the help pages, the command
# corvalin-calc; after installing twice, an uninstall leaves nothing; its
# usage and messages. Wine is not started: the launcher is checked by hand.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
script=$root/scripts/install-linux.sh
HOME=$(mktemp -d)
XDG_DATA_HOME=$HOME/data
export HOME XDG_DATA_HOME
trap 'rm -rf "$HOME"' EXIT
fail() { echo "linux-install-test: $*" >&2; exit 1; }
# expect STATUS ARGUMENTS...: runs the script, its output in $HOME/out.
expect() {
    status=$1
    shift
    code=0
    "$script" "$@" >"$HOME/out" 2>&1 || code=$?
    [ $code -eq "$status" ] || fail "install-linux.sh $*: exit $code, not $status: $(cat "$HOME/out")"
}
usage="usage: install-linux.sh BIN-FOLDER"

for wrong in "" --bogus "$1 $1" "--uninstall $1" "$HOME"; do
    # shellcheck disable=SC2086
    expect 2 $wrong
    grep -q "^$usage" "$HOME/out" || fail "no usage for '$wrong'"
done
expect 0 --help
grep -q "^$usage" "$HOME/out" || fail "no usage for --help"
expect 0 --uninstall
grep -q "nothing removed" "$HOME/out" || fail "nothing installed, but: $(cat "$HOME/out")"

expect 0 "$1"
expect 0 "$1"
folder=$XDG_DATA_HOME/corvalin-calculator
launcher=$folder/corvalin-calculator
entry=$XDG_DATA_HOME/applications/corvalin-calculator.desktop
for file in CorvalinCalc.exe corvalin-calc.exe "Corvalin Calculator.chm"; do
    cmp -s "$1/$file" "$folder/$file" || fail "$file not installed"
done
for page in "$root"/res/help/*.html "$root/res/help/style.css"; do
    cmp -s "$page" "$folder/help/${page##*/}" || fail "help page ${page##*/} not installed"
done
[ -x "$launcher" ] || fail "no launcher"
grep -qx "arch=$("$root/scripts/wine-test-tree.sh")" "$launcher" || fail "the launcher's Wine is not this machine's"
[ "$(readlink "$HOME/.local/bin/corvalin-calc")" = "$launcher" ] || fail "no command corvalin-calc"
[ -f "$XDG_DATA_HOME/icons/hicolor/16x16/apps/corvalin-calculator.png" ] || fail "icon not installed"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -qx "Exec=\"$launcher\"" "$entry" || fail "Exec line"
grep -qx "Exec=xdg-open \"$folder/help/index.html\"" "$entry" || fail "Help action"

mkdir -p "$folder/wineprefix/drive_c"
expect 0 --uninstall
left=$(find "$HOME" -mindepth 1 ! -path "$HOME/out")
[ -z "$left" ] || fail "left behind: $left"
echo "linux-install-test: passed"
