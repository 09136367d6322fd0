#!/bin/sh
# Installs what building and testing needs on a Debian machine, and nothing
# when it is all there already, so that a second `make` starts at once.
set -eu

# The Windows build is tested as 32-bit where the machine runs 32-bit x86
# processes, and as 64-bit where it does not: both compilers and both Wines.
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
wine wine32:i386 wine64 fonts-wine xvfb xauth
fp-utils libchm-bin imagemagick clang libclang-rt-14-dev
nsis zip desktop-file-utils"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
