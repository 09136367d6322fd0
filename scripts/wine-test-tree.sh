#!/bin/sh
# Prints the build tree whose Windows tests this machine can run: win32 where
# 32-bit x86 processes run (and with them 32-bit Wine), else win64, the same
# code built for 64-bit Windows. Some virtual machines have no 32-bit mode.
# Within a make run, the tree make chose once the packages were in
# (WIN_TEST_TREE), so that the scripts it starts agree with it.
if [ -n "${WIN_TEST_TREE:-}" ]; then
    echo "$WIN_TEST_TREE"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
else
    echo win64
fi
