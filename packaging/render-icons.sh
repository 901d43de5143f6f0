#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG. The PNGs are committed, so the
# build needs no SVG tool; run this again after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
#   packaging/render-icons.sh
set -euo pipefail

icons=$(cd "$(dirname "$0")" && pwd)/icons/hicolor
id=io.github.zlc.Calculator
svg=$icons/scalable/apps/$id.svg

for size in 16 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$icons/${size}x${size}/apps/$id.png" "$svg"
done
echo "Rendered $id.png at 16, 32, 48, 64, 128 and 256 pixels from $svg"
