#!/usr/bin/env bash
# Renders the program's images from their SVG artboards: every PNG that
# images.rc names, at the size its name gives, and the icon vimzee.ico.
#
#   render.sh OUT_DIR
#
# A name "x-16" is the artboard svg/x-16.svg at its own size; "x-WxH" without
# an artboard of its own is svg/x.svg scaled to W x H. The output depends only
# on the artboards and the Debian packages librsvg2-bin and imagemagick.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: render.sh OUT_DIR}
mkdir -p "$out"

grep -oE '^[0-9]+ PNG "[^"]+\.png"' "$here/../images.rc" | sed -E 's/.*"(.*)\.png"/\1/' |
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

icons=()
for size in 16 24 32 48 64 256; do
  rsvg-convert -w $size -h $size "$here/svg/icon.svg" -o "$out/icon-$size.png"
  icons+=("$out/icon-$size.png")
done
# -strip keeps the file free of time stamps, so the same artboards give the same bytes.
convert "${icons[@]}" -strip "$out/vimzee.ico"
