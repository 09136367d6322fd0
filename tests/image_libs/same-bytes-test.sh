#!/bin/sh
# same-bytes-test.sh NATIVE-TEST WINE-RUN WINE-PREFIX WINE-ARCH WINDOWS-TEST
#
# The image libraries' test, built natively (Debian's libraries) and for
# Windows (the static builds of Debian's sources), each run in a folder of
# its own, where it leaves the files it wrote and what it decoded: both must
# pass, and their files must be the same, byte for byte. That is what makes
# the native and the Windows programs write the same bytes.
set -u
native=$1
windows_test=$5
fail() { echo "same-bytes-test: $*" >&2; exit 1; }
[ -x "$native" ] || fail "no native build of the test at $native: build the native tree first (make native)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/native" "$work/windows"
(cd "$work/native" && CORVALIN_IMAGE_FILES=. "$native") || fail "the native test failed"
(cd "$work/windows" && CORVALIN_IMAGE_FILES=. "$2" "$3" "$4" "$windows_test") || fail "the Windows test failed"

(cd "$work/native" && ls) >"$work/native.list"
(cd "$work/windows" && ls) >"$work/windows.list"
# Every kind of file the test writes, so that a test that wrote nothing
# cannot pass.
for kind in .tif .png .jpg .decoded versions.txt; do
    grep -q -F -- "$kind" "$work/native.list" || fail "the native test wrote no $kind file"
done
cmp -s "$work/native.list" "$work/windows.list" ||
    fail "not the same files: $(diff "$work/native.list" "$work/windows.list" | sed -n 's/^[<>] //p' | tr '\n' ' ')"
status=0
while read -r file; do
    if cmp "$work/native/$file" "$work/windows/$file"; then
        echo "same bytes: $file"
    else
        status=1
    fi
done <"$work/native.list"
exit $status
