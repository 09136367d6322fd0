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

for args in "8 8" "--table"; do
    # shellcheck disable=SC2086
    err=$("$CALC" $args 2>&1 >/dev/full)
    status=$?
    [ "$status" -eq 1 ] || fail "corvalin-calc $args >/dev/full: status $status"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "corvalin-calc $args >/dev/full said: $err"
done
echo "program-streams-test: passed"
