#!/usr/bin/env bash
# Renders the program's images from their SVG artboards: every PNG that
# images.rc names, at the size its name gives, and the icon vimzee.ico.
#
#   render.sh OUT_DIR
#
# A name "x-16" is the artboard svg/x-16.svg at its own size; "x-WxH" without
# an artboard of its own is svg/x.svg scaled to W x H. The output depends only
# on the artboards and the Debian packages librsvg2-bin, imagemagick and
# optipng (which recompresses every PNG losslessly, as small as it goes).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: render.sh OUT_DIR}
mkdir -p "$out"

grep -oE ' PNG "[^"]+\.png"' "$here/../images.rc" | sed -E 's/.*"(.*)\.png"/\1/' |
  while read -r name; do
    if [ -f "$here/svg/$name.svg" ]; then
      rsvg-convert "$here/svg/$name.svg" -o "$out/$name.png"
    elif [[ $name =~ ^(.*)-([0-9]+)x([0-9]+)$ ]]; then
      rsvg-convert -w "${BASH_REMATCH[2]}" -h "${BASH_REMATCH[3]}" \
        "$here/svg/${BASH_REMATCH[1]}.svg" -o "$out/$name.png"
    else
      echo "render.sh: no artboard for $name" >&2
      exit 1
    fi
  done

# The icon holds an image for every size it is drawn at, so none is scaled
# from a neighbour: the shell's 16, 24, 32, 48 and 256; the caption's 18 px
# at 100, 125, 150 and 200 % (18, 22, 27, 36); the panels' 64 px headline
# icon at the same scales (64, 80, 96, 128).
small_sizes="16 24 32"
large_sizes="18 22 27 36 48 64 80 96 128 256"
small=()
for size in $small_sizes $large_sizes; do
  rsvg-convert -w $size -h $size "$here/svg/icon.svg" -o "$out/icon-$size.png"
done
for size in $small_sizes; do small+=("$out/icon-$size.png"); done
# -strip keeps the file free of time stamps, so the same artboards give the same bytes.
convert "${small[@]}" -strip "$out/icon-small.ico"
optipng -quiet -o7 -strip all "$out"/*.png
# The icon: the shell's three smallest sizes as bitmaps (as ImageMagick
# writes them), every other size as a PNG image, which Windows reads in
# icons since Vista and which is a fraction of a bitmap's size.
python3 - "$out" $large_sizes <<'PY'
import struct, sys
out = sys.argv[1]
large = [int(size) for size in sys.argv[2:]]
data = open(out + "/icon-small.ico", "rb").read()
count = struct.unpack_from("<HHH", data)[2]
images = []
for i in range(count):
    entry = data[6 + 16 * i: 22 + 16 * i]
    size, offset = struct.unpack_from("<II", entry, 8)
    images.append((entry[:8], data[offset:offset + size]))
for size in large:
    png = open("%s/icon-%d.png" % (out, size), "rb").read()
    side = size % 256
    images.append((struct.pack("<BBBBHH", side, side, 0, 0, 1, 32), png))
offset = 6 + 16 * len(images)
with open(out + "/vimzee.ico", "wb") as ico:
    ico.write(struct.pack("<HHH", 0, 1, len(images)))
    for head, body in images:
        ico.write(head + struct.pack("<II", len(body), offset))
        offset += len(body)
    for _, body in images:
        ico.write(body)
PY
rm -f "$out/icon-small.ico"
