#!/usr/bin/env bash
# Draws the program's icon (a receipt with a stamp) and the login picture
# (a key over the same receipt) with ImageMagick; the results are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

receipt() { # size out
  local s=$1 out=$2
  convert -size 256x256 xc:none \
    -fill '#00000040' -draw "roundrectangle 52,26 220,242 14,14" \
    -fill white -stroke '#2f5f9f' -strokewidth 8 -draw "roundrectangle 40,14 208,230 14,14" \
    -stroke none -fill '#2f6fbf' -draw "rectangle 44,18 204,66" \
    -fill '#9fb4d0' -draw "rectangle 66,92 182,102" -draw "rectangle 66,118 182,128" \
    -draw "rectangle 66,144 150,154" \
    -fill '#2e9a48' -stroke '#1f7034' -strokewidth 6 -draw "circle 166,190 166,222" \
    -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 34 -gravity NorthWest \
    -annotate +143+172 'Rp' \
    -resize "${s}x${s}" "$out"
}

for s in 16 24 32 48 64 256; do receipt "$s" "$tmp/icon-$s.png"; done
convert "$tmp"/icon-16.png "$tmp"/icon-24.png "$tmp"/icon-32.png "$tmp"/icon-48.png \
  "$tmp"/icon-64.png "$tmp"/icon-256.png vantorel.ico

# The login picture: the receipt with a golden key across it on a light tile
# with a thin border, 56 pixels, opaque so that it suits any face colour.
receipt 256 "$tmp/base.png"
convert "$tmp/base.png" \
  -fill '#e0a81c' -stroke '#8a6410' -strokewidth 6 \
  -draw "circle 70,176 70,214" -draw "rectangle 96,168 236,186" \
  -draw "rectangle 196,186 212,212" -draw "rectangle 220,186 236,204" \
  -fill '#fff3c4' -stroke none -draw "circle 70,176 70,190" \
  "$tmp/key.png"
convert -size 256x256 xc:'#eaf1fb' "$tmp/key.png" -composite -resize 54x54 \
  -bordercolor '#9db4d3' -border 1 -type TrueColor BMP3:login.bmp
