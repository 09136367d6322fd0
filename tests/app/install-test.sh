#!/bin/sh
# install-test.sh BUILD-TREE ARCH: builds the installer of the tree's
# programs (x86-unicode for win32, amd64-unicode for win64), then installs,
# runs and uninstalls it in a fresh Wine prefix, checked by the installer
# tests.
set -eu
tree=$1
arch=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
target=x86-unicode
[ "$arch" = win64 ] && target=amd64-unicode
"$root/scripts/stage-release.sh" "$tree/bin" "$tree/stage"
"$root/scripts/make-installer.sh" "$tree/stage" "$target" "$tree/setup-test.exe"
rm -rf "$tree/install-prefix" "$tree/install-prefix.ready"
CORVALIN_SETUP="Z:$(echo "$tree/setup-test.exe" | tr / '\\')" \
    "$root/cmake/wine-run.sh" "$tree/install-prefix" "$arch" "$tree/bin/installer_tests.exe"
