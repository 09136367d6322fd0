#!/bin/sh
# The print file made three ways side by side: by `corvalin-calc
# --print-file`, by libvips on one thread (the baseline) and by ImageMagick;
# seconds and peak resident memory of each, and the ratios to libvips. Jobs: a
# generated 8000 x 6000 RGB TIFF given 675-pixel mirror edges, to an
# uncompressed TIFF; a JPEG of it to an LZW TIFF; and a 20,000 x 15,000 JPEG
# (goal: at most 64 MB resident), natively and by the Windows program under
# Wine. Each print file is checked against libvips's: the same pixels.
#
# The sizes. The standard bar's sides are 1.25 in, so 675-pixel sides take
# 540 ppi, and the face would be 8000 / 540 = 14.8148.. in wide, which no
# decimal length is. The face asked for is 376.3 x 282.225 mm instead: 4:3,
# as the image is, so nothing is cropped, and the image prints at
# 8000 / (376.3 / 25.4) = 539.9947 ppi. Each side is then 31.75 mm x 8000
# pixels / 376.3 mm = 674.993 pixels, rounded up to 675: the file is
# 8000 + 2 x 675 = 9350 by 6000 + 2 x 675 = 7350 pixels, what
# `vips embed 675 675 9350 7350` makes. The large image at the same
# resolution: the face 2.5 times as long, 940.75 x 705.5625 mm, sides
# 31.75 x 20,000 / 940.75 = 674.993 pixels again, 21,350 x 16,350 out.
set -eu
cd "$(dirname "$0")/.."
calc=build/bench/bin/corvalin-calc
work=build/bench/print-file
mkdir -p "$work"
trap 'rm -f "$work"/out-*' EXIT
trap 'exit 130' INT TERM
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

# The Windows program: the shipped 32-bit one where this machine runs 32-bit
# programs, else its 64-bit twin from the Windows test tree.
tree=$(scripts/wine-test-tree.sh)
if [ "$tree" = win32 ]; then
    arch=win32 windows_calc=build/release/bin/corvalin-calc.exe
else
    arch=win64 windows_calc=build/win64/bin/corvalin-calc.exe
fi
prefix=$PWD/build/$tree/wineprefix

# A smooth, photograph-like test image: compression on noise would tell
# nothing. The large one is it enlarged, made once and kept compressed.
[ -f "$work/photo.tif" ] || {
    vips perlin "$work/perlin.v" 8000 6000 --cell-size 400
    vips linear "$work/perlin.v" "$work/photo.tif" "100 80 60" "128 110 90" --uchar
    rm -f "$work/perlin.v"
}
[ -f "$work/photo.jpg" ] || vips copy "$work/photo.tif" "$work/photo.jpg[Q=90]"
[ -f "$work/large.jpg" ] || vips resize "$work/photo.tif" "$work/large.jpg[Q=90]" 2.5

# NAME COMMAND...: "seconds peak-kilobytes user-seconds system-seconds" in
# $work/NAME.time, or "failed". The CPU time is the figure that a shared
# machine's load disturbs least; libvips's on one thread includes its
# write-behind thread's.
measure() {
    name=$1
    shift
    if /usr/bin/time -f '%e %M %U %S' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1; then :; else
        echo failed >"$work/$name.time"
    fi
}

# NAME ARGUMENTS...: the same for the Windows program, the Wine process that
# runs it measured alone.
measure_windows() {
    name=$1
    shift
    if WINE_RUN_TIME="$work/$name.time" cmake/wine-run.sh "$prefix" "$arch" "$windows_calc" "$@" \
        >"$work/$name.log" 2>&1; then :; else
        echo failed >"$work/$name.time"
    fi
}

row() {  # LABEL NAME BASELINE-NAME
    if [ "$(cat "$work/$2.time")" = failed ]; then
        printf '  %-40s failed: %s\n' "$1" "$(head -n 1 "$work/$2.log")"
        return
    fi
    awk -v label="$1" -v run="$(cat "$work/$2.time")" -v base="$(cat "$work/$3.time")" 'BEGIN {
        split(run, r, " "); split(base, b, " ")
        printf "  %-40s %6.2f s %6.2f s CPU %7.1f MB", label, r[1], r[3] + r[4], r[2] / 1024
        if (base != "failed") printf "   %5.2f x time  %5.2f x CPU  %5.2f x memory", r[1] / b[1], (r[3] + r[4]) / (b[3] + b[4]), r[2] / b[2]
        printf "\n"
    }'
}

status=0
# LABEL FILE BASELINE-FILE: whether the two hold the same pixels, as libvips
# reads them (a relational operation pads a smaller image, so the sizes are
# compared first).
same_pixels() {
    same=yes
    for field in width height bands format; do
        [ "$(vipsheader -f $field "$2")" = "$(vipsheader -f $field "$3")" ] || same=no
    done
    if [ $same = yes ] && [ "$(vips relational "$2" "$3" .ppm equal | vips min stdin)" = 255.000000 ]; then
        echo "  $1: the same pixels"
    else
        echo "  $1: NOT the same pixels"
        status=1
    fi
}

echo "8000 x 6000 RGB, 675-pixel mirror edges, 9350 x 7350 out (ratios to vips on one thread;"
echo "goals: at most 1 x its time, 0.25 x its memory)"
for job in tif:none jpg:lzw; do
    in=$work/photo.${job%:*}
    compression=${job#*:}
    vips_options=""
    [ "$compression" = lzw ] && vips_options="[compression=lzw,predictor=horizontal]"
    measure vips env VIPS_CONCURRENCY=1 vips embed "$in" "$work/out-vips.tif$vips_options" 675 675 9350 7350 \
        --extend mirror
    measure calc "$calc" --print-file "$in" --out "$work/out-calc.tif" --compression "$compression" \
        --edge mirror --units mm 376.3mm 282.225mm
    measure convert env MAGICK_THREAD_LIMIT=1 "$convert" "$in" -set option:distort:viewport 9350x7350-675-675 \
        -virtual-pixel mirror -filter point -distort SRT 0 +repage -compress "$compression" "$work/out-convert.tif"
    echo "${job%:*} to TIFF ($compression):"
    row "corvalin-calc --print-file" calc vips
    row "vips embed --extend mirror" vips vips
    row "ImageMagick convert" convert vips
    same_pixels "corvalin-calc's file and vips's" "$work/out-calc.tif" "$work/out-vips.tif"
    rm -f "$work"/out-*
done

echo "20,000 x 15,000 RGB JPEG, 675-pixel mirror edges, 21,350 x 16,350 uncompressed TIFF out"
echo "(goal: at most 64 MB resident; ratios to vips on one thread)"
measure vips env VIPS_CONCURRENCY=1 vips embed "$work/large.jpg" "$work/out-vips.tif" 675 675 21350 16350 \
    --extend mirror
measure calc "$calc" --print-file "$work/large.jpg" --out "$work/out-calc.tif" --compression none \
    --edge mirror --units mm 940.75mm 705.5625mm
# The process alone, with its shared libraries: what is not the job's.
measure alone "$calc" --version
row "corvalin-calc --print-file" calc vips
row "corvalin-calc alone: --version" alone vips
row "vips embed --extend mirror" vips vips
same_pixels "corvalin-calc's file and vips's" "$work/out-calc.tif" "$work/out-vips.tif"
rm -f "$work/out-vips.tif"
# Wine alone: what the Wine process takes for a run that does nothing, so
# that the program's own share of its peak is plain.
measure_windows wine --version
measure_windows windows --print-file "$work/large.jpg" --out "$work/out-windows.tif" --compression none \
    --edge mirror --units mm 940.75mm 705.5625mm
row "corvalin-calc.exe ($arch) under Wine" windows vips
row "Wine alone: corvalin-calc.exe --version" wine vips
awk -v run="$(cat "$work/windows.time")" -v wine="$(cat "$work/wine.time")" 'BEGIN {
    if (run == "failed" || wine == "failed") exit
    split(run, r, " "); split(wine, w, " ")
    printf "  %-40s %6.2f s %6.2f s CPU %7.1f MB\n", "corvalin-calc.exe beyond Wine alone", r[1] - w[1],
        r[3] + r[4] - w[3] - w[4], (r[2] - w[2]) / 1024
}'
if cmp -s "$work/out-windows.tif" "$work/out-calc.tif"; then
    echo "  corvalin-calc.exe's file and corvalin-calc's: the same bytes"
else
    echo "  corvalin-calc.exe's file and corvalin-calc's: NOT the same bytes"
    status=1
fi
exit $status
