#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from resources/icons/lexiwren.svg.
# The PNGs are kept in the repository so that building needs no SVG renderer;
# run this only after changing the SVG (it needs rsvg-convert, librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" lexiwren.svg --output "lexiwren-$size.png"
done
