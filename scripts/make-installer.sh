#!/bin/sh
# make-installer.sh STAGED-FOLDER TARGET OUTFILE: the NSIS installer of a
# folder laid out by stage-release.sh, for x86-unicode (what ships) or
# amd64-unicode.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
source=$(cd "$1" && pwd)
out=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
cd "$root/installer"
makensis -V2 -DSOURCE="$source" -DTARGET="$2" -DOUTFILE="$out" -DVERSION="$("$root/scripts/version.sh")" corvalin.nsi
