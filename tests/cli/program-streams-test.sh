#!/bin/sh
# program-streams-test.sh CORVALIN-CALC: the program itself, not the
# calculation: what it works out goes to standard output, notes and errors
# to standard error, with the calculation's status; a result that cannot be
# written is a failure, status 1 with one line on standard error, never a
# quiet success.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "program-streams-test: $*"; exit 1; }

# run EXPECTED-STATUS ARGS...: the program's streams in out and err.
run() {
    expected=$1
    shift
    "$CALC" "$@" >"$dir/out" 2>"$dir/err"
    status=$?
    [ "$status" -eq "$expected" ] || fail "corvalin-calc $*: status $status, stderr: $(cat "$dir/err")"
}
CALC=$1

run 0 9 8.5
[ "$(head -n 1 "$dir/out")" = 'Corvalin 1.25", finished size 9 x 8.5 in' ] || fail "9 8.5 wrote: $(cat "$dir/out")"
[ "$(cat "$dir/err")" = 'corvalin-calc: note: 8.5 is not a stock size for Corvalin 1.25"' ] ||
    fail "9 8.5 said: $(cat "$dir/err")"

run 2 --frobnicate 8 8
[ ! -s "$dir/out" ] || fail "--frobnicate wrote: $(cat "$dir/out")"
[ "$(cat "$dir/err")" = "corvalin-calc: unknown option '--frobnicate'. Try 'corvalin-calc --help'." ] ||
    fail "--frobnicate said: $(cat "$dir/err")"

# An orders file read from disk: the orders it can use planned on standard
# output, byte for byte, each line it cannot named on standard error, and
# status 2.
printf 'bar,width,length,count\r\nstandard,8,10,6\r\nstandard,280mm,10,x\r\n' >"$dir/orders.csv"
printf 'line,bar,width,length,count,method,canvasWidth,canvasLength,planRoll,across,rollUsed,sideBySide,waste,rows\r\n%s\r\n%s\r\n' \
    '2,Standard125,8,10,6,regular,10.5,12.5,17,length,63,1,26.5,6' 'total,,,,6,,,,17,,63,,,' >"$dir/expected"
run 2 --orders "$dir/orders.csv" --format csv
cmp -s "$dir/out" "$dir/expected" || fail "--orders wrote: $(cat "$dir/out")"
[ "$(cat "$dir/err")" = "corvalin-calc: $dir/orders.csv:3: count 'x' is not a whole number from 1 to 10000" ] ||
    fail "--orders said: $(cat "$dir/err")"
run 2 --orders "$dir/none.csv"
[ ! -s "$dir/out" ] || fail "--orders of no file wrote: $(cat "$dir/out")"
[ "$(cat "$dir/err")" = "corvalin-calc: $dir/none.csv: cannot read it: No such file or directory" ] ||
    fail "--orders of no file said: $(cat "$dir/err")"

# The 8-bit control-sequence introducer and a right-to-left override reach
# the terminal only as their codes.
run 2 --bar "$(printf '\233\342\200\256')" 8 8
[ "$(cat "$dir/err")" = "corvalin-calc: unknown bar '\\x9B\\xE2\\x80\\xAE' (use standard, pro or prenotched). Try 'corvalin-calc --help'." ] ||
    fail "a raw CSI said: $(cat "$dir/err")"

for args in "8 8" "--table"; do
    # shellcheck disable=SC2086
    err=$("$CALC" $args 2>&1 >/dev/full)
    status=$?
    [ "$status" -eq 1 ] || fail "corvalin-calc $args >/dev/full: status $status"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "corvalin-calc $args >/dev/full said: $err"
done
echo "program-streams-test: passed"
