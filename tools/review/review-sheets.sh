#!/usr/bin/env bash
# Renders review sheets (PNG) of the staged archive into a folder:
#   tools/review/review-sheets.sh build/game/resource.bin OUTDIR
set -euo pipefail
archive="$1"
out="$2"
tool="$(dirname "$0")/../../build/release/tools/quoli-review"
[ -x "$tool" ] || tool="$(dirname "$0")/../../build/test/tools/quoli-review"
mkdir -p "$out"
"$tool" "$archive" "$out"
for f in "$out"/*.bmp; do
  convert "$f" "${f%.bmp}.png" && rm "$f"
done
ls "$out"
# Contact sheets of the picture themes: every sprite frame of one theme at
# one screen size on one sheet (types 7-9 quoli, 10-12 space, 13 life icons).
for type in 7 8 9 10 11 12 13; do
  frames=$(ls "$out"/picture-$type-*.png 2>/dev/null | grep -v -- '-bg\.png' || true)
  [ -n "$frames" ] || continue
  montage $frames -background '#404040' -fill white -pointsize 10 -label '%t' -geometry +3+3 -tile 9x \
    "$out/contact-$type.png"
done
