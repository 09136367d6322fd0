#!/bin/sh
# windows-bytes-test.sh NATIVE-CALC WINE-RUN PREFIX ARCH WINDOWS-CALC GOLDEN-TABLE
#
# The Windows command-line calculator started as a script starts it, its
# streams redirected to files: every byte it writes to standard output and
# standard error, its exit status and every file it writes (print files,
# previews) are the native program's for the same arguments, in every form;
# a print file it refuses to make leaves nothing, and one made again
# replaces the earlier file. The table is byte for byte
# the golden table, and CSV records end in CR LF, never CR CR LF. Each
# program runs in a folder of its own holding the same inputs; all the
# Windows runs go through one cmd.exe, so Wine starts once.
set -u
native=$1
wine_run=$2
prefix=$3
arch=$4
calc=$5
golden=$6
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { printf 'windows-bytes-test: %s\n' "$*"; failed=1; }
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
--print-file photo.jpg --out mirror.tif 6 4
--print-file photo.jpg --out stretch.jpg --method staple --edge stretch --quality 80 6 4
--print-file deep.png --out solid.png --edge solid --marks --mark-margin 5mm --preview preview.png --units mm 150mm 10cm
--print-file cmyk.tif --out image.tif --edge image --compression deflate --bar pro 6 4
--print-file turned.jpg --out turned.tif --edge solid:ff8000 --method staple --marks 4 6
--print-file photo.jpg --out photo.jpg 6 4
--print-file cut.jpg --out cut.tif 6 4
--print-file photo.jpg --out mirror.tif --edge stretch 6 4
CASES
mkdir "$dir/native" "$dir/windows"
# An order with a bad line; images of each kind the print file reads: an
# RGB JPEG, a 16-bit PNG with alpha, a CMYK TIFF with a colour profile, a
# JPEG stored on its side (EXIF orientation 6) and one cut short.
printf 'bar,width,length,count,method\r\nstandard,8,10,12,regular\r\npro,400mm,50cm,5,\r\npro,x,10,1,staple\r\n' \
    >"$dir/native/orders.csv"
(
    cd "$dir/native" &&
        convert -size 300x200 plasma:fractal -seed 7 photo.jpg &&
        convert -size 300x200 gradient:red-blue -depth 16 -alpha set -channel A -evaluate set 60% deep.png &&
        convert photo.jpg -colorspace CMYK -depth 8 cmyk.tif &&
        convert -size 300x200 gradient:green-yellow upright.jpg &&
        {
            # Exif's orientation 6 in an APP1 segment after the start of image.
            printf '\377\330\377\341\000\042Exif\000\000MM\000\052\000\000\000\010\000\001'
            printf '\001\022\000\003\000\000\000\001\000\006\000\000\000\000\000\000'
            tail -c +3 upright.jpg
        } >turned.jpg &&
        head -c 3000 photo.jpg >cut.jpg
) >"$dir/convert.log" 2>&1 || { fail "cannot make the test images: $(cat "$dir/convert.log")"; exit 1; }
cp "$dir/native"/* "$dir/windows/"

{
    printf '@echo off\r\ncd /d "%s"\r\n' "$(windows "$dir/windows")"
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
    (cd "$dir/native" && "$native" $args) >"$dir/native-out.$i" 2>"$dir/native-err.$i"
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

# Every file either program left, the same in both folders.
[ "$(ls "$dir/native")" = "$(ls "$dir/windows")" ] ||
    fail "the programs left different files: native: $(ls "$dir/native" | tr '\n' ' '); Windows: $(ls "$dir/windows" | tr '\n' ' ')"
for file in "$dir/native"/*; do
    name=${file##*/}
    [ ! -f "$dir/windows/$name" ] || cmp -s "$file" "$dir/windows/$name" || fail "$name: not the native program's bytes"
done
for refused in cut.tif; do
    [ ! -e "$dir/native/$refused" ] || fail "a refused print file was left: $refused"
done
[ "$failed" -eq 0 ] && echo "windows-bytes-test: passed"
exit "$failed"
