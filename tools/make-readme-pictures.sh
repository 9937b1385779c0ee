#!/bin/bash
# Remakes the README's pictures from the real program: the saver full screen at
# 1920 x 1080, showing ten past ten and a half (10:08:30) on the default wallpaper.
# Wine takes its local clock from TZ, so TZ is set to whatever offset puts the clock
# there at the moment of the screenshot.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
make --no-print-directory build
width=$(tests/wine/wine-width.sh)
build=$([ "$width" = i686 ] && echo build/win || echo build/win64)

delay=8
target=$((10 * 3600 + 8 * 60 + 30))
now=$(date -u +%s)
offset=$(( ((target - (now + delay) % 86400) % 86400 + 86400) % 86400 ))
tz=$(printf '<+%02d%02d>-%02d:%02d:%02d' $((offset / 3600)) $((offset / 60 % 60)) \
  $((offset / 3600)) $((offset / 60 % 60)) $((offset % 60)))

env -u DISPLAY TZ="$tz" HORLOMA_SHOT_DELAY=$delay HORLOMA_SHOT="$top/docs/horloma-1920x1080.png" \
  tools/run-saver.sh "$build" "$width" saver
