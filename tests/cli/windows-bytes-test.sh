#!/bin/sh
# windows-bytes-test.sh NATIVE-CALC WINE-RUN PREFIX ARCH WINDOWS-CALC GOLDEN-TABLE
#
# The Windows command-line calculator started as a script starts it, its
# streams redirected to files: every byte it writes to standard output and
# standard error, and its exit status, are the native program's for the
# same arguments, in every form; the table is byte for byte the golden
# table, and CSV records end in CR LF, never CR CR LF. All the runs go
# through one cmd.exe, so Wine starts once.
set -u
native=$1
wine_run=$2
prefix=$3
arch=$4
calc=$5
golden=$6
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "windows-bytes-test: $*"; failed=1; }
failed=0

windows() { printf 'Z:%s' "$1" | tr / '\\'; }
# around CMP-OUTPUT FILE: 16 bytes of the file from where cmp saw the first difference.
around() {
    at=$(printf '%s' "$1" | sed -n 's/.*differ: byte \([0-9]*\).*/\1/p')
    od -An -c -j "$(( ${at:-1} - 1 ))" -N 16 "$2"
}

# One line per run: its arguments, as cmd and sh both read them.
cat >"$dir/cases" <<'CASES'
--format csv --bar pro 8 8
--format tsv 9 8.5
--format md --roll-plan --dpi 300 16 20
--units mm --roll 24 --pixels 6000x4000 --min-ppi 300 20 16
--bar prenotched --format csv --roll-plan 12 12
--table
--table --format csv
--table --format md --bar pro
--sizes
--help
--frobnicate 8 8
1001 8
--count 7 --gap 5mm --margin .5 --roll 44 280mm 35cm
--orders orders.csv --roll all --gap .25 --units cm
--orders orders.csv --format csv
CASES
# An order with a bad line, read from the folder both programs run in.
printf 'bar,width,length,count,method\r\nstandard,8,10,12,regular\r\npro,400mm,50cm,5,\r\npro,x,10,1,staple\r\n' \
    >"$dir/orders.csv"

{
    printf '@echo off\r\ncd /d "%s"\r\n' "$(windows "$dir")"
    i=0
    while IFS= read -r args; do
        i=$((i + 1))
        printf '"%s" %s >"%s" 2>"%s"\r\n' "$(windows "$calc")" "$args" "$(windows "$dir/out.$i")" \
            "$(windows "$dir/err.$i")"
        # Redirection first: 'echo 2>file' would redirect standard error.
        printf '>"%s" echo %%errorlevel%%\r\n' "$(windows "$dir/status.$i")"
    done <"$dir/cases"
} >"$dir/run.bat"
"$wine_run" "$prefix" "$arch" cmd /c "$(windows "$dir/run.bat")" </dev/null >"$dir/cmd.log" 2>&1

i=0
while IFS= read -r args; do
    i=$((i + 1))
    # shellcheck disable=SC2086
    (cd "$dir" && "$native" $args) >"$dir/native-out.$i" 2>"$dir/native-err.$i"
    status=$?
    if [ ! -f "$dir/status.$i" ]; then
        fail "corvalin-calc.exe $args did not run; cmd.exe said: $(cat "$dir/cmd.log")"
        break
    fi
    [ "$(tr -d '\r\n' <"$dir/status.$i")" = "$status" ] ||
        fail "corvalin-calc.exe $args: status $(tr -d '\r\n' <"$dir/status.$i"), the native program's $status"
    for stream in out err; do
        differ=$(cmp "$dir/native-$stream.$i" "$dir/$stream.$i" 2>&1) ||
            fail "corvalin-calc.exe $args: standard $stream is not the native program's ($differ);
the bytes from there, Windows:$(around "$differ" "$dir/$stream.$i")
native: $(around "$differ" "$dir/native-$stream.$i")"
    done
    case $args in
    "--table") cmp "$dir/out.$i" "$golden" >/dev/null || fail "--table is not the golden table byte for byte" ;;
    *"--format csv"*)
        [ -s "$dir/out.$i" ] && [ "$(tail -c 2 "$dir/out.$i" | od -An -c | tr -d ' ')" = '\r\n' ] ||
            fail "corvalin-calc.exe $args: the last CSV record does not end in CR LF"
        ! grep -q "$(printf '\r\r')" "$dir/out.$i" || fail "corvalin-calc.exe $args: CR CR in CSV"
        ;;
    esac
done <"$dir/cases"
[ "$failed" -eq 0 ] && echo "windows-bytes-test: passed"
exit "$failed"
