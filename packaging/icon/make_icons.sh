#!/bin/sh
# Renders the program's icon, zvk-pc.svg, to the PNGs of the desktop's icon sizes and to the
# Windows icon zvk-pc.ico beside it. The results are committed, so that a build never needs
# the renderers: run this after a change to the SVG and look at the PNGs.
# Needs rsvg-convert (Debian: librsvg2-bin) and icotool (Debian: icoutils).
#   sh packaging/icon/make_icons.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)

for tool in rsvg-convert icotool; do
	if ! command -v "$tool" >/dev/null; then
		echo "make_icons: $tool is missing (apt-get install librsvg2-bin icoutils)" >&2
		exit 1
	fi
done

for size in 16 32 48 64 128 256; do
	rsvg-convert -w "$size" -h "$size" -o "$here/zvk-pc-$size.png" "$here/zvk-pc.svg"
done

# The sizes Windows shows most (it scales the nearest for the others); the small ones as
# bitmaps, which every Windows reads, the 256-pixel one as PNG, which keeps the file small.
icotool -c -o "$here/zvk-pc.ico" \
	"$here/zvk-pc-16.png" "$here/zvk-pc-32.png" "$here/zvk-pc-48.png" \
	"$here/zvk-pc-64.png" -r "$here/zvk-pc-256.png"
echo "make_icons: the PNGs and zvk-pc.ico in $here"
