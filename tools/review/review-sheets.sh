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
