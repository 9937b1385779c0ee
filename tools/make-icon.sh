#!/bin/bash
# Remakes resources/horloma.ico: builds paint_icon in the 64-bit Windows build, runs it
# under Wine (with the Dodaz font, for the numerals) for the images the clock's renderer
# paints, and packs them with the small ones tools/make_icon.py draws. Run from the
# worktree after `make build`; commit the new icon.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win64
out=build/icon
cmake --build "$build" -j2 --target paint_icon horloma_font
rm -rf "$out"
mkdir -p "$out/painted"
HORLOMA_FONT=$build/fonts/Dodaz.ttf tests/wine/wine-session.sh "$out/prefix" x86_64 \
  bash -c '"$WINELOADER" "$0" "$1"' "$build/paint_icon.exe" "$out/painted"
python3 tools/make_icon.py "$out/drawn.ico"
python3 tools/icon/pack_icon.py "$out/painted" "$out/drawn.ico" resources/horloma.ico
echo "make-icon: wrote resources/horloma.ico"
