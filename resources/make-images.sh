#!/usr/bin/env bash
# Renders the committed PNG images from their sources in this folder with librsvg's
# rsvg-convert and ImageMagick's convert. The build uses the PNGs; run this only after editing
# kelvora.svg or logo.svg.
set -euo pipefail
cd "$(dirname "$0")"

# Window and desktop icon in the hicolor theme's sizes, drawn by librsvg at each size from the
# 64-unit drawing (convert would draw it at 64 and scale). The window uses 16, 32 and 64; the
# desktop's menus and software centre pick among all of them.
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "kelvora-${size}.png" kelvora.svg
done

# About-page logo, 38 x 336 pixels, 256 colours. The names run upwards; the
# drawing's own text support cannot rotate, so they are set here.
convert -background none logo.svg \
  -font DejaVu-Sans-Bold -pointsize 20 -kerning 5 -fill white \
  -annotate 270x270+26+318 'KELVORA' \
  -font DejaVu-Sans -pointsize 7 -kerning 1.5 -fill '#a9dcff' \
  -annotate 270x270+34+318 'VANTREL  ·  WATER AND STEAM' \
  -colors 256 PNG8:logo.png
