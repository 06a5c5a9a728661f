#!/usr/bin/env bash
# Draws the icon files from velmora.svg: PNGs for the hicolor theme and the web app, and the three-image velmora.ico.
# Run it after changing the SVG and commit what it writes. Needs: librsvg2-bin, imagemagick, icoutils.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 192 256 512; do
    rsvg-convert -w "$size" -h "$size" velmora.svg -o "velmora-$size.png"
done
# The web app's maskable icon: the coin inside the middle 70 %, which any mask leaves whole.
rsvg-convert -w 360 -h 360 --page-width 512 --page-height 512 --left 76 --top 76 -b '#f0f0f0' velmora.svg \
    -o velmora-maskable-512.png
# The window icon's sizes also as raw 8-bit RGBA, which the program takes without decoding.
for size in 16 32 48 64; do
    convert "velmora-$size.png" -depth 8 "rgba:velmora-$size.rgba"
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Palette images for the icon file: 32 x 32 in two colours, 32 x 32 and 16 x 16 in sixteen.
# The two colours are black and the face's gold; the icon's mask keeps the coin's outline.
convert xc:black xc:'#ff9f00' +append "$scratch/two-colours.png"
convert velmora-32.png \( -clone 0 -alpha off +dither -remap "$scratch/two-colours.png" \) \
    \( -clone 0 -alpha extract -threshold 50% \) -delete 0 -compose CopyOpacity -composite "PNG8:$scratch/32-2.png"
convert velmora-32.png +dither -colors 16 "PNG8:$scratch/32-16.png"
convert velmora-16.png +dither -colors 16 "PNG8:$scratch/16-16.png"
icotool -c -o velmora.ico -b 1 "$scratch/32-2.png" -b 4 "$scratch/32-16.png" -b 4 "$scratch/16-16.png"
icotool -l velmora.ico
