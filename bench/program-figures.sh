#!/bin/sh
# Whole-program figures under Wine, one line each, against a baseline
# program built the same way that makes the calls every such program must.
set -eu
cd "$(dirname "$0")/.."
tree=$(scripts/wine-test-tree.sh)
arch=win32
[ "$tree" = win64 ] && arch=win64
runs=${RUNS:-15}

if [ "$tree" = win64 ]; then
    echo "(this machine runs no 32-bit x86 processes: timings are of the 64-bit build under 64-bit Wine)"
fi
cmake/wine-run.sh "$PWD/build/$tree/wineprefix" "$arch" "build/$tree/bin/program_figures.exe" "$runs"

# name, budget in bytes, what it was before the programs lost their
# threading runtime, the C++ library's exception machinery and iostreams
size() {
    bytes=$(stat -c %s "build/release/bin/$1")
    echo "size of the shipped $1: $bytes bytes (budget $2, was $3)"
}
size CorvalinCalc.exe 131072 488960
# corvalin-calc.exe's budget: 81,920 bytes and the 1.5 MB (1,572,864 bytes)
# that the print file and its image libraries may add.
size corvalin-calc.exe $((81920 + 1572864)) 1390592
echo "size of the baseline dialog program built the same way: $(stat -c %s build/release/bin/BaselineDialog.exe) bytes"
