#!/bin/sh
# chm-without-time.sh FILE: zeroes the two time stamps chmcmd writes into a
# compiled help file (in the ITSF header, and in the #SYSTEM record of code
# 10 that comes before the HHA Version record), so that the same sources
# give the same bytes.
set -eu
file=$1
zero4() { printf '\000\000\000\000' | dd of="$file" bs=1 seek="$1" count=4 conv=notrunc status=none; }
[ "$(head -c 4 "$file")" = ITSF ] || { echo "chm-without-time: $file is not a compiled help file" >&2; exit 1; }
zero4 16
# Code 10, length 4, the stamp, then code 9 and its length with "HHA Version".
hex=$(xxd -p "$file" | tr -d '\n' |
    grep -obE '0a000400[0-9a-f]{8}0900[0-9a-f]{2}0048484120566572' | cut -d: -f1 | head -n 1)
[ -n "$hex" ] && [ $((hex % 2)) -eq 0 ] || { echo "chm-without-time: no time stamp record in $file" >&2; exit 1; }
zero4 $((hex / 2 + 4))
