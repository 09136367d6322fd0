#!/bin/sh
# build-image-libs.sh TOOLCHAIN-FILE PREFIX
#
# zlib, libjpeg-turbo, libpng and libtiff for the Windows programs: built
# as static libraries with TOOLCHAIN-FILE (one of cmake/mingw-*.cmake) from
# Debian's own source packages, of the versions the native build links (the
# installed -dev packages), Debian's patches applied, and installed into
# PREFIX (include/ and lib/). The native and the Windows programs then run
# the same library code and write the same bytes.
#
# Once: when PREFIX was built from the same sources by the same script and
# toolchain file, it returns at once. A build runs in PREFIX.partial, which
# becomes PREFIX by one rename at its very end: an interrupted run never
# leaves a PREFIX that looks complete, and the next run starts it afresh.
#
# The sources come through apt-get from a source list of this script's own,
# with apt's state in build/image-libs/apt: the system's apt setup is
# neither used for sources nor changed, and the fetch needs no root. apt
# checks them as it checks packages: the index (InRelease) must carry a
# valid signature by Debian's archive key (Signed-By below) and gives the
# SHA-256 of every file, and a file that does not match is refused;
# dpkg-source checks the files against the .dsc again when it unpacks them.
set -eu

[ $# -eq 2 ] || { echo "usage: $0 TOOLCHAIN-FILE PREFIX" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$(dirname "$2")"
prefix=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
name=$(basename "$prefix")
state=$root/build/image-libs
mkdir -p "$state/apt/lists/partial" "$state/apt/cache" "$state/apt/sources.list.d" "$state/sources" "$state/logs"

# One run at a time: the trees of both architectures share the sources.
exec 9>"$state/lock"
flock 9

# The -dev package whose source each library is built from, by the name
# the native build knows it.
dev_packages="zlib1g-dev libjpeg62-turbo-dev libpng-dev libtiff-dev"
# shellcheck disable=SC2086
if ! installed=$(dpkg-query -W -f='${Package} ${source:Package} ${source:Version}\n' $dev_packages 2>&1); then
    echo "build-image-libs: the native libraries are needed first ($dev_packages): $installed" >&2
    exit 1
fi

# What PREFIX is built from: a change to any line builds it again.
key=$(
    sha256sum "$0" | cut -d' ' -f1
    printf '%s ' "$(basename "$toolchain")"
    cat "$toolchain" "$(dirname "$toolchain")/mingw-common.cmake" 2>/dev/null | sha256sum | cut -d' ' -f1
    printf '%s\n' "$installed"
)
if [ -f "$prefix/.built-from" ] && [ "$(cat "$prefix/.built-from")" = "$key" ]; then
    exit 0
fi

started=$(date +%s)
echo "Building the image libraries for $name from Debian's sources (once)"
fail() {
    echo "build-image-libs: $1" >&2
    [ -n "${2:-}" ] && tail -n 25 "$2" >&2 && echo "build-image-libs: the whole output is in $2" >&2
    exit 1
}

# apt, on this script's own list and state only. Debian's main archive
# (bookworm and its updates) and its security archive, which is where the
# installed -dev packages come from once Debian has fixed a flaw in them.
apt=$state/apt
cat >"$apt/corvalin.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
# The system's hooks after an update are about the system's own lists.
cat >"$apt/apt.conf" <<EOF
Dir::Etc::SourceList "$apt/corvalin.sources";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
APT::Sandbox::User "$(id -un)";
#clear APT::Update::Post-Invoke;
#clear APT::Update::Post-Invoke-Success;
EOF
apt_get() { apt-get -c "$apt/apt.conf" "$@"; }

# The source package of each library: the installed -dev package's own
# version where the archive still gives it, otherwise the newest Debian
# revision of the same upstream version (a mirror may hold a security
# update's binaries but not its sources). What was chosen is kept in
# sources/chosen, so that the other architecture needs no network.
chosen=$state/sources/chosen
touch "$chosen"
updated=""
printf '%s\n' "$installed" | while read -r dev source version; do
    line=$(grep "^$source $version " "$chosen" || true)
    if [ -n "$line" ] && [ -f "$state/sources/$(echo "$line" | cut -d' ' -f3)" ]; then
        continue
    fi
    if [ -z "$updated" ]; then
        apt_get -q update >"$state/logs/apt-update.log" 2>&1 ||
            fail "cannot read Debian's source index" "$state/logs/apt-update.log"
        updated=yes
    fi
    upstream=${version#*:}
    upstream=${upstream%-*}
    candidates=$(apt-cache -c "$apt/apt.conf" showsrc --only-source "$source" 2>/dev/null |
        sed -n 's/^Version: //p' | while read -r v; do
            u=${v#*:}
            [ "${u%-*}" = "$upstream" ] && [ "$v" != "$version" ] && echo "$v"
        done | sort -rV)
    log=$state/logs/fetch-$source.log
    : >"$log"
    dsc=""
    for v in $version $candidates; do
        if (cd "$state/sources" && apt_get -q source --download-only --only-source "$source=$v") >>"$log" 2>&1; then
            dsc=${source}_${v#*:}.dsc
            break
        fi
    done
    [ -n "$dsc" ] || fail "cannot fetch Debian's source of $source $upstream" "$log"
    # Said, since the revisions between may be security fixes the Windows
    # programs then lack.
    [ "$v" = "$version" ] ||
        echo "build-image-libs: the mirror does not give Debian's source of $source $version; building $v, the newest revision of $upstream it gives" >&2
    grep -v "^$source $version " "$chosen" >"$chosen.new" || true
    echo "$source $version $dsc" >>"$chosen.new"
    mv "$chosen.new" "$chosen"
done

scratch=$prefix.partial
out=$scratch/out
rm -rf "$scratch"
mkdir -p "$scratch/src" "$scratch/build" "$out/include" "$out/lib"

# Each library unpacked afresh for each build, with Debian's patches.
dsc_of() { grep "^$1 " "$chosen" | cut -d' ' -f3; }
for source in zlib libjpeg-turbo libpng1.6 tiff; do
    log=$state/logs/$name-unpack-$source.log
    dpkg-source -x "$state/sources/$(dsc_of $source)" "$scratch/src/$source" >"$log" 2>&1 ||
        fail "cannot unpack Debian's source of $source" "$log"
done

# Debian's optimisation (its zlib: -O3 and unaligned loads, as its rules
# say; the others: -O2), each function in a section of its own so that a
# program's link drops what it does not call, nothing newer than Windows XP,
# and no path of this build in the code (the file names that libtiff's
# asserts print are relative). windows.h, which libpng includes in every
# file for nothing it uses, is read in its lean form, in half the time.
# Debian's hardening flags are left out: with mingw-w64 they need libssp,
# and they change no result.
common="-ffunction-sections -fdata-sections -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -DWIN32_LEAN_AND_MEAN"
common="$common -ffile-prefix-map=$scratch=."
build() {
    lib=$1
    flags=$2
    shift 2
    log=$state/logs/$name-$lib.log
    cmake -S "$scratch/src/$lib" -B "$scratch/build/$lib" --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="$flags $common" \
        -DCMAKE_INSTALL_PREFIX="$out" -DBUILD_SHARED_LIBS=OFF "$@" >"$log" 2>&1 ||
        fail "cannot configure $lib" "$log"
}
make_target() {
    cmake --build "$scratch/build/$1" -j "${JOBS:-2}" ${2:+--target "$2"} >>"$state/logs/$name-$1.log" 2>&1 ||
        fail "cannot build $1" "$state/logs/$name-$1.log"
}

# zlib's CMake always builds its shared library and example programs too:
# only the static library is built and installed, by hand.
build zlib "-O3 -DUNALIGNED_OK"
make_target zlib zlibstatic
cp "$scratch/build/zlib/libzlibstatic.a" "$out/lib/libz.a"
cp "$scratch/src/zlib/zlib.h" "$scratch/build/zlib/zconf.h" "$out/include/"

# libjpeg-turbo with its SIMD code, as Debian builds it: its integer DCTs,
# colour conversion and resampling give the same bytes as its C code, and
# its floating-point DCT the same bytes as on the native side only with it.
# Its C Huffman coders count bits with the CPU's bit scan instead of two
# 64 KB tables (libjpeg-turbo's own switch for a smaller footprint: the same
# counts, so the same bytes, and 128 KB less in a program). Its programs
# cannot be switched off: only the library is built.
build libjpeg-turbo "-O2 -DUSE_CLZ_INTRINSIC" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DREQUIRE_SIMD=ON
make_target libjpeg-turbo jpeg-static
cp "$scratch/build/libjpeg-turbo/libjpeg.a" "$out/lib/"
cp "$scratch/build/libjpeg-turbo/jconfig.h" "$out/include/"
for header in jpeglib.h jmorecfg.h jerror.h; do cp "$scratch/src/libjpeg-turbo/$header" "$out/include/"; done

build libpng1.6 -O2 -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$out/lib/libz.a" -DZLIB_INCLUDE_DIR="$out/include"
make_target libpng1.6
cmake --install "$scratch/build/libpng1.6" >>"$state/logs/$name-libpng1.6.log" 2>&1

# libtiff with Deflate (zlib), LZW and JPEG, and its other built-in codecs
# as Debian has them; nothing else that it could pull in.
build tiff -O2 -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
    -Dzlib=ON -Djpeg=ON -Dlzw=ON -Dlibdeflate=OFF -Dzstd=OFF -Dlzma=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF \
    -Djpeg12=OFF -DZLIB_LIBRARY="$out/lib/libz.a" -DZLIB_INCLUDE_DIR="$out/include" \
    -DJPEG_LIBRARY="$out/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$out/include"
make_target tiff
cmake --install "$scratch/build/tiff" >>"$state/logs/$name-tiff.log" 2>&1

# What else the installs made names the scratch folder, and the project's
# CMake names the libraries itself.
rm -rf "${out:?}/bin" "$out/share" "$out/lib/pkgconfig" "$out/lib/cmake" "$out/lib/libpng" "$out/lib/libpng.a"

# The configuration this build promises, checked in what it made.
tiff_has() { grep -q "^#define $1" "$out/include/tiffconf.h" "$scratch/build/tiff/libtiff/tif_config.h"; }
for codec in ZIP_SUPPORT LZW_SUPPORT JPEG_SUPPORT; do
    tiff_has "$codec 1" || fail "libtiff was built without $codec"
done
for codec in ZSTD_SUPPORT LZMA_SUPPORT WEBP_SUPPORT JBIG_SUPPORT LIBDEFLATE_SUPPORT LERC_SUPPORT JPEG_DUAL_MODE_8_12; do
    ! tiff_has "$codec" || fail "libtiff was built with $codec"
done
grep -q '^#define WITH_SIMD$' "$out/include/jconfig.h" || fail "libjpeg-turbo was built without SIMD"
# Built once per architecture, for the win32 and the posix thread model
# alike: nothing in them may need a threading runtime or thread-local
# storage, which each model provides differently.
nm=$(sed -n 's/^CMAKE_NM:FILEPATH=//p' "$scratch/build/tiff/CMakeCache.txt")
if "$nm" -u "$out"/lib/*.a | grep -E 'pthread|emutls|_beginthread'; then
    fail "the libraries need a threading runtime"
fi

# The sources each library was built from, beside the native ones.
printf '%s\n' "$installed" | while read -r dev source version; do
    echo "$source $(dsc_of "$source" | sed 's/^[^_]*_//; s/\.dsc$//') (native $dev $version)"
done >"$out/SOURCES"
printf '%s\n' "$key" >"$out/.built-from"
rm -rf "$prefix"
mv "$out" "$prefix"
rm -rf "$scratch"

while read -r source built rest; do
    native=${rest#*-dev }
    native=${native%)}
    if [ "$built" != "${native#*:}" ]; then
        echo "Note: $source for Windows is $built, the native one $native: the same upstream version," \
            "but Debian's archive does not give the native revision's source here."
    fi
done <"$prefix/SOURCES"
echo "Image libraries for $name in $prefix ($(($(date +%s) - started)) s)"
