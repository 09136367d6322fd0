#!/bin/sh
# Builds dist/CorvalinCalc-VERSION-win32.zip and dist/CorvalinCalc-VERSION-setup.exe
# from the 32-bit build.
set -eu
cd "$(dirname "$0")/.."
version=$(scripts/version.sh)
name=CorvalinCalc-$version
bin=build/win32/bin
rm -rf dist build/dist
mkdir -p dist build/dist/$name
cp "$bin/CorvalinCalc.exe" "$bin/Corvalin Calculator.chm" installer/README.txt build/dist/$name/
cp LICENSE build/dist/$name/LICENSE.txt
(cd build/dist && zip -qr -X ../../dist/$name-win32.zip $name)
scripts/make-installer.sh "$bin" x86-unicode dist/$name-setup.exe
ls -l dist
