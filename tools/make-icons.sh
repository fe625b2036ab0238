#!/usr/bin/env bash
# Renders the program's icon (resources/bitmaps/fussball.svg) into the hicolor
# sizes that desktops look for; the PNGs are kept in resources/icons. Run it
# after changing the picture (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
id=org.vendrixplanner.VendrixPlanner
out=resources/icons/hicolor
mkdir -p "$out/scalable/apps"
cp resources/bitmaps/fussball.svg "$out/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256 512; do
    mkdir -p "$out/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" resources/bitmaps/fussball.svg -o "$out/${size}x${size}/apps/$id.png"
done
