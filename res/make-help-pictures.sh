#!/bin/sh
# make-help-pictures.sh [CORVALIN-CALC]: draws the pictures of the help page
# "Making the print file" into res/help: a small drawn landscape made into
# print files by CORVALIN-CALC (build/native/bin/corvalin-calc unless given)
# for each edge, shown as its preview and as the stretched canvas; the bar's
# cross-section under each wrap method; the fold marks; a preview as the
# program writes it. Change a picture here and run this again: the same
# programs give the same bytes (no dates, nothing random), and the pictures
# are committed like the icon.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
calc=${1:-$root/build/native/bin/corvalin-calc}
help=$root/res/help
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# save PICTURE PICTURES...: the pictures side by side, 16 pixels apart, as a
# picture of the help, without the dates and texts ImageMagick would add.
save() {
    out=$1
    shift
    convert "$@" -background white -gravity center -bordercolor white -border 8x0 +append -shave 8x0 \
        -strip -define png:exclude-chunks=date,time "$help/$out"
}

# The landscape, 240 x 160 pixels: 16 ppi on a 15 x 10 in face. The sun
# runs off the right edge and the tree off the left, so that each edge
# shows what it makes of them.
convert -size 240x160 gradient:'#3a78c8-#cfe6f7' \
    -fill '#f4c430' -stroke '#e08a00' -strokewidth 2 -draw 'circle 228,30 250,30' \
    -stroke none -fill '#4c9a3a' -draw 'ellipse 60,175 150,70 180,360' \
    -fill '#2f7a2a' -draw 'ellipse 210,170 90,45 180,360' \
    -fill '#d9d2c0' -draw 'polygon 96,160 132,160 150,112 142,112' \
    -fill '#6b4a2b' -draw 'rectangle 7,70 13,112' -fill '#1f5e1f' -draw 'circle 10,62 10,44' \
    -fill white -draw 'ellipse 110,34 26,9 0,360' -draw 'ellipse 128,28 18,8 0,360' \
    -depth 8 -strip "$work/scene.png"

# print NAME ARGUMENTS...: the print file NAME.png of the landscape and its
# preview NAME-preview.png; what the program says in NAME.txt.
print() {
    name=$1
    shift
    "$calc" --print-file "$work/scene.png" --out "$work/$name.png" --preview "$work/$name-preview.png" \
        --min-ppi 1 "$@" 15 10 >"$work/$name.txt"
}

# stretched NAME: the canvas of print file NAME as it looks stretched over
# the bars, seen from above and to the right: the face, and the top and
# right sides drawn aslant, shaded as if lit from the top left.
stretched() {
    # "Front face  W x H pixels at LEFT, TOP"; on the regular wrap the side
    # is as wide as the face's left.
    name=$1
    sed -n 's/^Front face *\([0-9]*\) x \([0-9]*\) pixels at \([0-9]*\), .*/\1 \2 \3/p' "$work/$name.txt" \
        >"$work/face"
    read -r w h s <"$work/face"
    # The sides' depth on the drawing: 0.7 of their width.
    d=$((s * 7 / 10))
    convert "$work/$name.png" \
        \( -clone 0 -crop "${w}x$h+$s+$s" +repage -set page "+0+$d" \) \
        \( -clone 0 -crop "${w}x$s+$s+0" +repage -fill black -colorize 8% -virtual-pixel transparent \
            +distort Affine "0,$s 0,$d  $w,$s $w,$d  0,0 $d,0" \) \
        \( -clone 0 -crop "${s}x$h+$((s + w))+$s" +repage -fill black -colorize 30% -virtual-pixel transparent \
            +distort Affine "0,0 $w,$d  0,$h $w,$((h + d))  $s,0 $((w + d)),0" \) \
        -delete 0 -background none -layers merge +repage -background white -flatten "$work/$name-stretched.png"
}

# Each edge: the file's preview beside the stretched canvas.
for edge in image mirror stretch solid; do
    print "$edge" --edge "$edge"
    stretched "$edge"
    save "edge-$edge.png" "$work/$edge-preview.png" "$work/$edge-stretched.png"
done

# The bar's cross-section, the canvas's front up: the regular wrap ends at
# the back edge of the bar; the staple method turns over onto its back,
# where it is stapled. Dots where the file's outlines are: blue, the
# face's fold; green, the turn-over's; red, the canvas's edge.
section() {
    if [ "$1" = staple ]; then
        canvas="line 8,27 172,27 line 172,27 172,112 line 172,112 138,112"
        dots="stroke #666666 stroke-width 2 line 146,106 146,118 line 160,106 160,118 stroke none
              fill #00a000 circle 172,112 172,115.5 fill #ff0000 circle 138,112 138,115.5"
    else
        canvas="line 8,27 172,27 line 172,27 172,110"
        dots="fill #ff0000 circle 172,110 172,113.5"
    fi
    convert -size 200x130 xc:white \
        -draw "fill #d9b77e stroke #8a6a3a stroke-width 1 rectangle 120,30 169,109" \
        -draw "stroke #333333 stroke-width 4 stroke-linecap square $canvas" \
        -draw "$dots fill #0000ff stroke none circle 172,27 172,30.5" -depth 8 "$work/section-$1.png"
}
section regular
section staple
save wrap-methods.png "$work/section-regular.png" "$work/section-staple.png"

# The fold marks: the top left corner of the staple method's file, marks
# on its turn-over, and of the regular wrap's with a margin of half an
# inch, each enlarged three times, pixel for pixel, with the fold lines
# the marks are in line with dashed across it.
print marks-staple --method staple --marks
print marks-margin --marks --mark-margin 0.5
for name in marks-staple marks-margin; do
    # The folds, from the file's edge: the face's, and the turn-over's or
    # the canvas's edge, from what the program says of the file.
    face=$(sed -n 's/^Front face .* at \([0-9]*\), .*/\1/p' "$work/$name.txt")
    outer=$(sed -n 's/^Turn-over *folded at \([0-9]*\) .*/\1/p; s/^Fold marks *in a blank margin of \([0-9]*\) .*/\1/p' \
        "$work/$name.txt")
    lines=""
    for fold in $face $outer; do
        lines="$lines line $((3 * fold)),0 $((3 * fold)),156 line 0,$((3 * fold)) 216,$((3 * fold))"
    done
    convert "$work/$name.png" -crop 72x52+0+0 +repage -filter point -resize 300% \
        -draw "stroke #ffffff stroke-width 1 stroke-dasharray 6 6 $lines" "$work/$name-corner.png"
done
save fold-marks.png "$work/marks-staple-corner.png" "$work/marks-margin-corner.png"

# The preview, as the program writes it, of the staple method's file.
cp "$work/marks-staple-preview.png" "$help/preview.png"
