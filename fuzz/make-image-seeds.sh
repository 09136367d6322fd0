#!/bin/sh
# Small seed images for the image readers' fuzz target, made afresh rather
# than kept as binaries: each kind, depth, colour kind and layout the
# readers know, a few pixels each. ImageMagick makes them.
# Usage: make-image-seeds.sh FOLDER
set -eu
out=$1
mkdir -p "$out"
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert
base="-size 7x5 gradient:red-blue -depth 8"
make() {  # NAME FORMAT OPTIONS... (FORMAT as ImageMagick's prefix: PNG48, or - for none)
    name=$1
    format=$2
    shift 2
    target="$out/$name"
    [ "$format" = - ] || target="$format:$target"
    [ -f "$out/$name" ] || "$convert" $base "$@" "$target"
}
make rgb8.jpg - -quality 80
make grey.jpg - -colorspace Gray
make cmyk.jpg - -colorspace CMYK
make progressive.jpg - -interlace Plane
make turned.jpg - -orient RightTop
make rgb8.png -
make rgb16.png PNG48 -depth 16
make alpha.png PNG32 -alpha set -channel A -evaluate set 50% +channel
make palette.png PNG8 -colors 4
make grey2.png - -colorspace Gray -depth 2
make rgb8.tif - -compress None
make lzw16.tif - -depth 16 -compress LZW
make planar.tif - -interlace Plane
make tiled.tif - -define tiff:tile-geometry=4x4
make cmyk.tif - -colorspace CMYK -compress Zip
make turned.tif - -orient LeftBottom
