#!/usr/bin/env bash
# Renders the application icon's PNG sizes from the SVG (needs rsvg-convert, Debian package
# librsvg2-bin). The PNGs are committed, so building and installing need no SVG renderer;
# run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.kivmanager.KivManager.svg -o "$size.png"
done
