#!/bin/sh
# Prints the program's version, which CMakeLists.txt holds.
sed -n 's/^project(CorvalinCalculator VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
