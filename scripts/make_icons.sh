#!/usr/bin/env bash
# Renders the program's icon, data/icons/skytrace.svg, into the PNG sizes that
# are installed beside it (data/icons/skytrace-SIZE.png). Run it after changing
# the SVG; it needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
command -v rsvg-convert >/dev/null || { echo "make_icons: install librsvg2-bin" >&2; exit 1; }
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" skytrace.svg -o "skytrace-$size.png"
done
