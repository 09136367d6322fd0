#!/bin/sh
# linux-install-test.sh BIN-FOLDER CORVALIN-CALC: install-linux.sh with a
# scratch HOME and an XDG_DATA_HOME whose name holds the characters a menu
# entry must escape: the programs, the help and a launcher in their folder,
# a valid menu entry with a Help action on the help pages, the command
# corvalin-calc as the native program; a second install over read-only
# copies; an uninstall that leaves nothing, also of an install made before
# installed.list; its usage and messages. Wine is not started: the launcher
# is checked by hand.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
script=$root/scripts/install-linux.sh
bin=$1
calc=$2
# The install runs as a user, never as root, who may write over read-only
# files: as root, the test runs itself as nobody when nobody can read what
# it needs.
as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
if [ "$(id -u)" -eq 0 ] && $as_nobody test -r "$script" -a -x "$calc" -a -r "$bin/CorvalinCalc.exe" 2>/dev/null; then
    exec $as_nobody "$0" "$@"
fi
[ "$(id -u)" -ne 0 ] || echo "linux-install-test: as root: a reinstall over read-only copies is not told apart"
HOME=$(mktemp -d)
# A backslash, which echo would have read as an escape, and what Exec= quotes:
# the quotes and backslashes are the folder name's own.
# shellcheck disable=SC2089,SC2090
XDG_DATA_HOME="$HOME/data \\t \$HOME \"q\" \`b\` 100%"
# shellcheck disable=SC2090
export HOME XDG_DATA_HOME
trap 'rm -rf "$HOME"' EXIT
fail() { printf 'linux-install-test: %s\n' "$*" >&2; exit 1; }
# expect STATUS ARGUMENTS...: runs the script, its output in $HOME/out.
expect() {
    status=$1
    shift
    code=0
    "$script" "$@" >"$HOME/out" 2>&1 || code=$?
    [ $code -eq "$status" ] || fail "install-linux.sh $*: exit $code, not $status: $(cat "$HOME/out")"
}
usage="usage: install-linux.sh BIN-FOLDER CORVALIN-CALC"
folder=$XDG_DATA_HOME/corvalin-calculator
launcher=$folder/corvalin-calculator
entry=$XDG_DATA_HOME/applications/corvalin-calculator.desktop
icon=$XDG_DATA_HOME/icons/hicolor/16x16/apps/corvalin-calculator.png
nothing_left() {
    left=$(find "$HOME" -mindepth 1 ! -path "$HOME/out")
    [ -z "$left" ] || fail "$1: left behind: $left"
}

for wrong in "" --bogus "$bin" "$bin $calc $calc" "--uninstall $bin" "$HOME $calc" "$bin $bin"; do
    # shellcheck disable=SC2086
    expect 2 $wrong
    grep -q "^$usage" "$HOME/out" || fail "no usage for '$wrong'"
done
expect 0 --help
grep -q "^$usage" "$HOME/out" || fail "no usage for --help"
expect 0 --uninstall
grep -q "nothing removed" "$HOME/out" || fail "nothing installed, but: $(cat "$HOME/out")"

# Programs that are read-only give read-only copies, which a second install
# replaces.
mkdir "$HOME/read-only"
cp "$bin/CorvalinCalc.exe" "$bin/Corvalin Calculator.chm" "$HOME/read-only/"
chmod a-w "$HOME/read-only"/*
expect 0 "$HOME/read-only" "$calc"
expect 0 "$bin" "$calc"
rm -rf "$HOME/read-only"
for file in CorvalinCalc.exe "Corvalin Calculator.chm"; do
    cmp -s "$bin/$file" "$folder/$file" || fail "$file not installed"
done
for page in "$root"/res/help/*.html "$root/res/help/style.css" "$root"/res/help/*.png; do
    cmp -s "$page" "$folder/help/${page##*/}" || fail "help file ${page##*/} not installed"
done
[ -x "$launcher" ] || fail "no launcher"
grep -qx "arch=$("$root/scripts/wine-test-tree.sh")" "$launcher" || fail "the launcher's Wine is not this machine's"
[ "$(readlink "$HOME/.local/bin/corvalin-calc")" = "$folder/corvalin-calc" ] || fail "no command corvalin-calc"
cmp -s "$calc" "$folder/corvalin-calc" || fail "the command is not the native program"
[ "$("$HOME/.local/bin/corvalin-calc" --sizes --bar pro)" = "$("$calc" --sizes --bar pro)" ] ||
    fail "the command does not run: $("$HOME/.local/bin/corvalin-calc" --sizes --bar pro 2>&1)"
[ -f "$icon" ] || fail "icon not installed"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
# exec_argument LINE: the one quoted argument at the end of an Exec= line,
# read back as a desktop reads a menu entry's Exec key: the string's
# escapes first, then the quoting's, then %% as %.
exec_argument() {
    printf '%s\n' "$1" | awk '{
        s = substr($0, index($0, "\"")); g = ""
        for (i = 1; i <= length(s); i++) {
            c = substr(s, i, 1)
            if (c == "\\") {
                c = substr(s, ++i, 1)
                c = c == "s" ? " " : c == "t" ? "\t" : c == "n" ? "\n" : c == "r" ? "\r" : c
            }
            g = g c
        }
        if (substr(g, 1, 1) != "\"" || substr(g, length(g), 1) != "\"") { print "<not quoted>"; exit }
        q = ""
        for (i = 2; i < length(g); i++) {
            c = substr(g, i, 1)
            if (c == "\\" || c == "%") i++
            if (c == "\\") c = substr(g, i, 1)
            q = q c
        }
        print q
    }'
}
exec_lines=$(grep '^Exec=' "$entry")
[ "$(exec_argument "$(printf '%s\n' "$exec_lines" | sed -n 1p)")" = "$launcher" ] || fail "Exec line: $exec_lines"
[ "$(printf '%s\n' "$exec_lines" | sed -n '2s/^\(Exec=xdg-open \).*/\1/p')" = "Exec=xdg-open " ] &&
    [ "$(exec_argument "$(printf '%s\n' "$exec_lines" | sed -n 2p)")" = "$folder/help/index.html" ] ||
    fail "Help action: $exec_lines"

mkdir -p "$folder/wineprefix/drive_c"
expect 0 --uninstall
nothing_left "uninstall"

# The install before installed.list: what it wrote, and how its menu entry
# started the calculator.
mkdir -p "$folder/help" "$(dirname "$entry")" "$(dirname "$icon")"
touch "$folder/CorvalinCalc.exe" "$folder/Corvalin Calculator.chm" "$icon"
for page in about.html bars.html cli.html examples.html index.html keyboard.html margins.html results.html \
    wraps.html style.css; do
    touch "$folder/help/$page"
done
printf '[Desktop Entry]\nExec=wine "%s/CorvalinCalc.exe"\n' "$folder" >"$entry"
expect 0 --uninstall
grep -q "Removed Corvalin Calculator" "$HOME/out" || fail "the old install was not removed: $(cat "$HOME/out")"
for file in "$entry" "$icon" "$folder"; do
    [ ! -e "$file" ] || fail "the old install's $file is left"
done
echo "linux-install-test: passed"
