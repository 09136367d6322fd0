#!/bin/sh
# write-failure-test.sh CORVALIN-CALC: a result that cannot be written is a
# failure, status 1 with one line on standard error, never a quiet success.
set -u
for args in "8 8" "--table"; do
    # shellcheck disable=SC2086
    err=$("$1" $args 2>&1 >/dev/full)
    status=$?
    [ "$status" -eq 1 ] || { echo "corvalin-calc $args >/dev/full: status $status"; exit 1; }
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "corvalin-calc $args >/dev/full said: $err"; exit 1; }
done
echo "write-failure-test: passed"
