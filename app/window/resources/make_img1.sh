#!/usr/bin/env bash
# Draws the window's background picture img1.jpg (ImageMagick): a soft
# navy-to-teal gradient with a faint pattern of rings. Run once; the JPEG is
# kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 600x400 gradient:'#14304f'-'#3f7f8f' -rotate 0 \
  \( -size 600x400 xc:none -fill none -stroke 'rgba(255,255,255,0.07)' -strokewidth 2 \
     -draw "circle 470,300 470,140" -draw "circle 470,300 470,190" -draw "circle 470,300 470,240" \
     -draw "circle 470,300 470,90" -draw "circle 90,380 90,300" -draw "circle 90,380 90,250" \) \
  -composite \
  \( -size 600x400 radial-gradient:'rgba(255,255,255,0.10)'-'rgba(255,255,255,0)' -geometry +120+0 \) \
  -composite -blur 0x0.6 -quality 82 -strip img1.jpg
