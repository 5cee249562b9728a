#!/usr/bin/env bash
# Renders the SVG sources into the pictures the program embeds:
#   page.jpg  993 x 636, baseline, 4:2:0 (luma 2x2)
#   hand.jpg   24 x 30,  baseline, 4:4:4
#   icon.png   64 x 64,  RGBA
# The outputs are committed, so building the program needs none of these tools.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"

need=()
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
command -v cjpeg >/dev/null || need+=(libjpeg-turbo-progs)
command -v convert >/dev/null || need+=(imagemagick)
if ((${#need[@]})); then
    apt-get update -qq
    apt-get install -y -qq "${need[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# cjpeg reads PPM, rsvg-convert writes PNG with alpha: flatten onto the
# picture's own background colour.
to_ppm() {  # <in.png> <out.ppm> <background>
    convert "$1" -background "$3" -alpha remove -alpha off "ppm:$2"
}

rsvg-convert --width 993 --height 636 page.svg -o "$work/page.png"
to_ppm "$work/page.png" "$work/page.ppm" "#f3f1f6"
cjpeg -baseline -quality 90 -sample 2x2,1x1,1x1 -optimize -outfile page.jpg "$work/page.ppm"

rsvg-convert --width 24 --height 30 hand.svg -o "$work/hand.png"
to_ppm "$work/hand.png" "$work/hand.ppm" "#f0f0f0"
cjpeg -baseline -quality 95 -sample 1x1,1x1,1x1 -optimize -outfile hand.jpg "$work/hand.ppm"

rsvg-convert --width 64 --height 64 icon.svg -o icon.png

ls -l page.jpg hand.jpg icon.png
