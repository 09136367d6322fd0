#!/bin/sh
# stage-release.sh BIN-FOLDER OUT-FOLDER: lays out what ships, as the zip
# holds it and the installer installs it: the two programs and the help file
# of BIN-FOLDER, the help as web pages with their pictures, and the texts
# with Windows line ends.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
out=$2
rm -rf "$out"
mkdir -p "$out/help"
cp "$bin/CorvalinCalc.exe" "$bin/corvalin-calc.exe" "$bin/Corvalin Calculator.chm" "$out/"
cp "$root"/res/help/*.html "$root/res/help/style.css" "$root"/res/help/*.png "$out/help/"
sed "s/@VERSION@/$("$root/scripts/version.sh")/; s/\$/\r/" "$root/installer/README.txt" >"$out/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$out/LICENSE.txt"
sed 's/$/\r/' "$root/installer/THIRD-PARTY-NOTICES.txt" >"$out/THIRD-PARTY-NOTICES.txt"
