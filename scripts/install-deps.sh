#!/bin/sh
# Installs what building and testing needs on a Debian machine, and nothing
# when it is all there already, so that a second `make` starts at once.
set -eu

# The shipped programs are built with the win32 thread-model compilers, the
# Windows tests with the posix ones; they run as 32-bit where the machine
# runs 32-bit x86 processes, and as 64-bit where it does not: both
# architectures and both Wines. The image libraries are Debian's for the
# native build; the Windows programs get the same built from Debian's
# sources (dpkg-dev unpacks them, nasm assembles libjpeg-turbo's SIMD code).
# libvips-tools is what tests compare the print file with; time (GNU
# time) measures the benchmarks' peak memory.
packages="cmake make g++ googletest libgtest-dev libbenchmark-dev
g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
wine wine32:i386 wine64 fonts-wine xvfb xauth
fp-utils libchm-bin imagemagick clang libclang-rt-14-dev
nsis zip xxd desktop-file-utils time
zlib1g-dev libjpeg62-turbo-dev libpng-dev libtiff-dev dpkg-dev nasm libvips-tools"

# One question to dpkg for all of them: a second `make` starts at once.
# shellcheck disable=SC2086
installed=$(dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' $packages 2>/dev/null |
    sed -n 's/ install ok installed$//p')
missing=""
for p in $packages; do
    case $p in *:*) full=$p ;; *) full="$p:" ;; esac
    printf '%s\n' "$installed" | grep -q "^$full" || missing="$missing $p"
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
