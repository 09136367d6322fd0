#!/bin/sh
# Builds dist/CorvalinCalc-1.0-win32.zip and dist/CorvalinCalc-1.0-setup.exe
# from the 32-bit build.
set -eu
cd "$(dirname "$0")/.."
bin=build/win32/bin
rm -rf dist build/dist
mkdir -p dist build/dist/CorvalinCalc-1.0
cp "$bin/CorvalinCalc.exe" "$bin/Corvalin Calculator.chm" installer/README.txt build/dist/CorvalinCalc-1.0/
cp LICENSE build/dist/CorvalinCalc-1.0/LICENSE.txt
(cd build/dist && zip -qr -X ../../dist/CorvalinCalc-1.0-win32.zip CorvalinCalc-1.0)
scripts/make-installer.sh "$bin" x86-unicode dist/CorvalinCalc-1.0-setup.exe
ls -l dist
