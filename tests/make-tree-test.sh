#!/bin/sh
# make-tree-test.sh: make chooses the Windows tree once the packages are in,
# and every later step of the run uses it. In a scratch copy of the
# Makefile, installing the packages turns a machine with no Wine (win64)
# into one that runs 32-bit Wine (win32), as on a fresh machine; cmake,
# ctest and the scripts make starts only note what they were given.
set -eu
unset MAKEFLAGS MAKELEVEL MFLAGS WIN_TEST_TREE
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p scripts bench bin build/bench/bin build/native build/sanitize build/win32 build/win64
cp "$root/Makefile" .
stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$1" && chmod +x "$1"; }
stand_in scripts/install-deps.sh "touch $work/installed"
stand_in scripts/wine-test-tree.sh "if [ -f $work/installed ]; then echo win32; else echo win64; fi"
for step in bin/cmake bin/ctest build/bench/bin/core_bench scripts/run-calculator.sh scripts/install-linux.sh \
    scripts/build-image-libs.sh bench/program-figures.sh bench/print-file-figures.sh; do
    stand_in $step "echo \"\$PWD \$0 \$* \${WIN_TEST_TREE:-}\" >>$work/log"
done
fail() { echo "make-tree-test: $*" >&2; exit 1; }

# A bare make runs the tests. A Windows tree is configured only once the
# image libraries it links are there.
touch log
for target in "" run install-linux monkey bench; do
    rm -f installed
    before=$(wc -l <log)
    # shellcheck disable=SC2086
    PATH=$work/bin:$PATH make $target >out 2>&1 || fail "make $target: $(cat out)"
    [ "$(head -n 1 out)" = "Windows tree: win32" ] || fail "make $target chose: $(head -n 1 out)"
    tail -n +$((before + 1)) log >run
    configured=$(grep -n -m 1 -E -- '-B build/(release|win32)' run | cut -d: -f1)
    libraries=$(grep -n -m 1 'build-image-libs.sh' run | cut -d: -f1)
    [ -z "$configured" ] || [ "${libraries:-$configured}" -lt "$configured" ] ||
        fail "make${target:+ $target} configured a Windows tree before building its image libraries"
done
! grep -E 'win64|release64|x86_64' log || fail "a step kept the answer from before the install"
grep -q "build-image-libs.sh cmake/mingw-i686-release.cmake build/image-libs/i686-w64-mingw32" log ||
    fail "the 32-bit image libraries were not built"
grep -q "build/win32 .*/ctest" log || fail "the tests of build/win32 were not run"
