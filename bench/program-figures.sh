#!/bin/sh
# Whole-program figures under Wine, one line each, against a minimal
# program built the same way that shows an empty dialog from a template.
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

calc=$(stat -c %s build/win32/bin/CorvalinCalc.exe)
empty=$(stat -c %s build/win32/bin/EmptyDialog.exe)
echo "size of the 32-bit CorvalinCalc.exe: $calc bytes; empty dialog $empty bytes;" \
     "ratio $(awk "BEGIN { printf \"%.1f\", $calc / $empty }") (budget 524288 bytes)"
