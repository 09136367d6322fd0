#!/bin/sh
# Builds, in a tree of its own (build/dist, made afresh; the test trees are
# not touched), dist/CorvalinCalc-VERSION-win32.zip,
# dist/CorvalinCalc-VERSION-setup.exe and dist/SHA256SUMS. Two runs from the
# same commit give the same bytes: the programs carry no time stamp, and the
# files are dated and the zip entries sorted by the commit's date
# (SOURCE_DATE_EPOCH, in UTC).
set -eu
cd "$(dirname "$0")/.."
root=$PWD
version=$(scripts/version.sh)
name=CorvalinCalc-$version
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH TZ=UTC

rm -rf build/dist dist
# The release's image libraries, which make builds for build/release too:
# a program linked with them is the same bytes wherever and whenever they
# were built, so they are kept between runs.
JOBS=${JOBS:-2} scripts/build-image-libs.sh cmake/mingw-i686-release.cmake build/image-libs/i686-w64-mingw32
cmake -S . -B build/dist --log-level=WARNING -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-release.cmake -DCORVALIN_TESTS=OFF
cmake --build build/dist -j "${JOBS:-2}" --target CorvalinCalc corvalin-calc help_file

stage=build/dist/stage/$name
scripts/stage-release.sh build/dist/bin "$stage"
find build/dist/stage -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
mkdir -p dist
(cd build/dist/stage && find "$name" | LC_ALL=C sort | zip -X -D -q "$root/dist/$name-win32.zip" -@)
scripts/make-installer.sh "$stage" x86-unicode "dist/$name-setup.exe"

(cd build/dist/stage && find "$name" -type f | LC_ALL=C sort | xargs -d '\n' sha256sum) >dist/SHA256SUMS
(cd dist && sha256sum "$name-win32.zip" "$name-setup.exe") >>dist/SHA256SUMS
cat dist/SHA256SUMS
