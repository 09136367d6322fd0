#!/bin/sh
# make-installer.sh STAGED-FOLDER TARGET OUTFILE: the NSIS installer of a
# folder laid out by stage-release.sh, for x86-unicode (what ships) or
# amd64-unicode. The help pages are named one by one, from the staged
# folder, so that the uninstaller removes each by name.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
source=$(cd "$1" && pwd)
out=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
pages=$(mktemp)
trap 'rm -f "$pages"' EXIT
(cd "$source/help" && LC_ALL=C ls) | sed 's/.*/${HelpPage} "&"/' >"$pages"
cd "$root/installer"
makensis -V2 -DSOURCE="$source" -DTARGET="$2" -DOUTFILE="$out" -DVERSION="$("$root/scripts/version.sh")" \
    -DHELP_PAGES="$pages" corvalin.nsi
