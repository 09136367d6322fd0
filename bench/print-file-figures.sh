#!/bin/sh
# The print file made three ways side by side: through the engine, through
# libvips on one thread (the baseline) and through ImageMagick; seconds and
# peak resident memory of each, and the ratios to libvips. Jobs: a generated
# 8000 x 6000 RGB TIFF given 675-pixel mirror edges (2.109375 in at 320 ppi),
# to an uncompressed TIFF; a JPEG of it to an LZW TIFF; and the engine alone
# on a 20,000 x 15,000 TIFF (goal: at most 64 MB resident).
#
# ENGINE names the program that makes the file from the arguments
# IMAGE OUT FACE_WIDTH_NM FACE_LENGTH_NM SIDE_NM TURN_OVER_NM EDGE COMPRESSION.
set -eu
cd "$(dirname "$0")/.."
engine=${ENGINE:-build/bench/bin/print_file_job}
work=build/bench/print-file
mkdir -p "$work"
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert
side=53578125  # nanometres: 2.109375 in, 675 pixels at 320 ppi

# A smooth, photograph-like test image: compression on noise would tell nothing.
image() {  # WIDE HIGH FILE
    [ -f "$3" ] && return
    vips perlin "$work/p.v" "$1" "$2" --cell-size 400
    vips linear "$work/p.v" "$work/q.v" "100 80 60" "128 110 90" --uchar
    vips copy "$work/q.v" "$3"
    rm -f "$work/p.v" "$work/q.v"
}

# NAME COMMAND...: "seconds peak-kilobytes" in $work/NAME.time
measure() {
    name=$1
    shift
    rm -f "$work/out.tif"
    if /usr/bin/time -f '%e %M' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1; then :; else
        echo "failed" >"$work/$name.time"
    fi
}

row() {  # LABEL NAME BASELINE-NAME
    awk -v label="$1" -v run="$(cat "$work/$2.time")" -v base="$(cat "$work/$3.time")" 'BEGIN {
        if (run == "failed") { printf "%-34s failed\n", label; exit }
        split(run, r, " "); split(base, b, " ")
        printf "%-34s %7.2f s %9.1f MB   %5.2f x time  %5.2f x memory\n", label, r[1], r[2] / 1024, r[1] / b[1], r[2] / b[2]
    }'
}

image 8000 6000 "$work/photo.tif"
[ -f "$work/photo.jpg" ] || vips copy "$work/photo.tif" "$work/photo.jpg[Q=90]"

echo "8000 x 6000 RGB, 675-pixel mirror edges, 9350 x 7350 out (ratios to vips on one thread)"
for job in tif:none jpg:lzw; do
    in=$work/photo.${job%:*}
    compression=${job#*:}
    vipsout="$work/out.tif"
    [ "$compression" = lzw ] && vipsout="$work/out.tif[compression=lzw,predictor=horizontal]"
    measure vips env VIPS_CONCURRENCY=1 vips embed "$in" "$vipsout" 675 675 9350 7350 --extend mirror
    measure engine "$engine" "$in" "$work/out.tif" 635000000 476250000 $side 0 mirror "$compression"
    measure convert env MAGICK_THREAD_LIMIT=1 "$convert" "$in" -set option:distort:viewport 9350x7350-675-675 \
        -virtual-pixel mirror -filter point -distort SRT 0 +repage -compress "$compression" "$work/out.tif"
    echo "${job%:*} to TIFF ($compression):"
    row "  engine (print_file_job)" engine vips
    row "  vips embed --extend mirror" vips vips
    row "  ImageMagick convert" convert vips
done

image 20000 15000 "$work/large.tif"
echo "20,000 x 15,000 RGB, 675-pixel mirror edges, 21,350 x 16,350 out (goal: at most 64 MB)"
measure vips env VIPS_CONCURRENCY=1 vips embed "$work/large.tif" "$work/out.tif" 675 675 21350 16350 --extend mirror
measure engine "$engine" "$work/large.tif" "$work/out.tif" 1587500000 1190625000 $side 0 mirror none
row "  engine (print_file_job)" engine vips
row "  vips embed --extend mirror" vips vips
rm -f "$work/out.tif"
