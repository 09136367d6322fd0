#!/bin/sh
# install-linux.sh BIN-FOLDER CORVALIN-CALC: installs the calculator and the
# help file of BIN-FOLDER (Windows programs), with the help as web pages
# and their pictures, into
# ${XDG_DATA_HOME:-~/.local/share}/corvalin-calculator, where a launcher
# runs the calculator through Wine in a prefix of its own; adds a menu
# entry, whose Help action opens the help pages in the desktop's
# browser (Wine's help viewer shows no pages under Debian's Wine), and the
# command ~/.local/bin/corvalin-calc, which is CORVALIN-CALC, the native
# Linux command-line calculator. Each file and folder the install makes is
# noted in the folder's installed.list: install-linux.sh --uninstall
# removes those and nothing else, and also an install made before there
# was such a list. Everything goes under your home, so it runs as you, not
# as root.
set -eu
usage="usage: install-linux.sh BIN-FOLDER CORVALIN-CALC
       install-linux.sh --uninstall"
misuse() {
    [ $# -eq 0 ] || echo "install-linux.sh: $*" >&2
    echo "$usage" >&2
    exit 2
}
root=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
folder=$data/corvalin-calculator
list=$folder/installed.list
launcher=$folder/corvalin-calculator
program=$folder/corvalin-calc
command=$HOME/.local/bin/corvalin-calc
entry=$data/applications/corvalin-calculator.desktop
icon=$data/icons/hicolor/16x16/apps/corvalin-calculator.png
# What the install before installed.list put there, by name.
old_pages="about.html bars.html cli.html examples.html index.html keyboard.html margins.html results.html
wraps.html style.css"

# installed.list holds a path a line.
case $folder$command in
*"
"*) echo "install-linux.sh: $folder or $command holds a line break: not supported." >&2; exit 2 ;;
esac

# The command is ours when it leads to the program, or to the launcher,
# which ran it through Wine before the native program was installed.
command_is_ours() {
    target=$(readlink "$command" || true)
    [ "$target" = "$program" ] || [ "$target" = "$launcher" ]
}

# desktop_argument TEXT: TEXT as one quoted argument of a desktop entry's
# Exec key: "`$\ escaped for the quoting, then backslashes doubled again
# for the string, % as %%, a tab as \t.
desktop_argument() {
    printf '"%s"' "$(printf '%s' "$1" |
        sed -e 's/\\/\\\\\\\\/g' -e 's/["`$]/\\\\&/g' -e 's/%/%%/g' -e 's/	/\\t/g')"
}

# make_folder FOLDER: makes it and its missing parents, noting each one in
# $made, so that only those are taken out again.
make_folder() {
    if [ ! -d "$1" ]; then
        make_folder "$(dirname "$1")"
        mkdir "$1"
        made="$made$1
"
    fi
}

# put FILE FOLDER: copies it there, noted before it is written; a copy left
# read-only by an earlier install is replaced.
put() {
    printf '%s\n' "$2/$(basename "$1")" >>"$list"
    cp -f "$1" "$2/"
}

# The install made before there was installed.list: its menu entry starts
# its calculator by this folder's path. Its files are taken out by name.
remove_old_install() {
    [ ! -f "$list" ] && [ -f "$entry" ] && grep -qF "\"$folder/CorvalinCalc.exe\"" "$entry" || return 1
    rm -f "$entry" "$icon" "$folder/CorvalinCalc.exe" "$folder/Corvalin Calculator.chm"
    for page in $old_pages; do
        rm -f "$folder/help/$page"
    done
    rmdir "$folder/help" "$folder" 2>/dev/null || true
}

install_programs() {
    for file in CorvalinCalc.exe "Corvalin Calculator.chm"; do
        [ -f "$1/$file" ] || misuse "no $file in $1 (make install-linux builds it)"
    done
    [ -f "$2" ] && [ -x "$2" ] || misuse "$2 is not the command-line calculator (make install-linux builds it)"
    remove_old_install || true
    arch=$("$root/scripts/wine-test-tree.sh")
    made=""
    for dir in "$folder/help" "$(dirname "$entry")" "$(dirname "$icon")" "$(dirname "$command")"; do
        make_folder "$dir"
    done
    printf '%s' "$made" >>"$list"
    for file in CorvalinCalc.exe "Corvalin Calculator.chm"; do
        put "$1/$file" "$folder"
    done
    printf '%s\n' "$program" >>"$list"
    cp -f "$2" "$program"
    for page in "$root"/res/help/*.html "$root/res/help/style.css" "$root"/res/help/*.png; do
        put "$page" "$folder/help"
    done
    printf '%s\n' "$launcher" "$icon" "$entry" >>"$list"
    sed "s/@WINE_ARCH@/$arch/" "$root/scripts/linux-launcher.sh" >"$launcher"
    chmod +x "$launcher"
    convert "$root/res/corvalin.ico" "$icon"
    cat >"$entry" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Corvalin Calculator
Comment=Canvas to print for a gallery wrap
Exec=$(desktop_argument "$launcher")
Icon=corvalin-calculator
Terminal=false
Categories=Utility;Calculator;
Actions=Help;

[Desktop Action Help]
Name=Help
Exec=xdg-open $(desktop_argument "$folder/help/index.html")
DESKTOP
    echo "Corvalin Calculator installed in $folder, with a menu entry; its help is $folder/help/index.html."
    echo "It runs through Wine in $folder/wineprefix, which its first start sets up (up to a minute)."
    if command_is_ours; then
        rm -f "$command"
    fi
    if [ ! -e "$command" ] && [ ! -L "$command" ]; then
        ln -s "$program" "$command"
    fi
    if [ "$(readlink "$command")" != "$program" ]; then
        echo "$command is not ours: left as it is, so the command corvalin-calc is not installed."
        return
    fi
    echo "The command-line calculator is the command $command."
    case ":$PATH:" in
    *":$HOME/.local/bin:"*) ;;
    *) echo "$HOME/.local/bin is not on your PATH yet; Debian's ~/.profile adds it at your next login." ;;
    esac
}

uninstall_programs() {
    if remove_old_install; then
        echo "Removed Corvalin Calculator from $folder and from the menu."
        return
    fi
    if [ ! -f "$list" ]; then
        echo "Corvalin Calculator is not installed in $folder: nothing removed."
        return
    fi
    # A calculator still running would keep using its prefix.
    if [ -d "$folder/wineprefix" ]; then
        WINEPREFIX="$folder/wineprefix" wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX="$folder/wineprefix" wineserver -w >/dev/null 2>&1 || true
        rm -rf "$folder/wineprefix"
    fi
    if command_is_ours; then
        rm -f "$command"
        echo "Removed the command $command."
    fi
    # Deepest first, so that a folder is emptied before it is taken out.
    noted=$(LC_ALL=C sort -ru "$list")
    rm -f "$list"
    printf '%s\n' "$noted" | while IFS= read -r path; do
        if [ -d "$path" ]; then
            rmdir "$path" 2>/dev/null || true
        else
            rm -f "$path"
        fi
    done
    echo "Removed Corvalin Calculator from $folder and from the menu."
    if [ -n "$(ls -A "$folder" 2>/dev/null)" ]; then
        echo "Kept $folder: it holds files the install did not make."
    elif [ -d "$folder" ]; then
        echo "Kept $folder: it was there before the install."
    fi
}

case ${1:-} in
--help) echo "$usage"; exit 0 ;;
--uninstall) ;;
-*|'') misuse ;;
esac
if [ "$1" = --uninstall ]; then
    [ $# -eq 1 ] || misuse
else
    [ $# -eq 2 ] || misuse
fi
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ]; then
    echo "install-linux.sh: run it as yourself, not with sudo: it installs for you, under your home." >&2
    exit 2
fi
if [ "$1" = --uninstall ]; then
    uninstall_programs
else
    install_programs "$1" "$2"
fi
