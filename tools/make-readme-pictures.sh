#!/bin/bash
# Remakes the README's pictures from the real program: the saver full screen at
# 1920 x 1080, showing ten past ten and a half (10:08:30) on the default wallpaper and on
# the walnut one, and the settings dialog cut out of a screenshot of its own.
# Wine takes its local clock from TZ, so TZ is set to whatever offset puts the clock
# there at the moment of the screenshot.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
make --no-print-directory build
width=$(tests/wine/wine-width.sh)
build=$([ "$width" = i686 ] && echo build/win || echo build/win64)

case $width in
  i686) loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32 ;;
  *) loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 ;;
esac
export WINEPREFIX=$top/build/wine-run/prefix-$width WINEDEBUG=-all
settings_key='HKCU\Software\Veltrane\Horloma'

# The TZ that shows 10:08:30 once the saver has run for the delay.
delay=8
ten_past_ten() {
  local target=$((10 * 3600 + 8 * 60 + 30)) now offset
  now=$(date -u +%s)
  offset=$(( ((target - (now + delay) % 86400) % 86400 + 86400) % 86400 ))
  printf '<+%02d%02d>-%02d:%02d:%02d' $((offset / 3600)) $((offset / 60 % 60)) \
    $((offset / 3600)) $((offset / 60 % 60)) $((offset % 60))
}

env -u DISPLAY TZ="$(ten_past_ten)" HORLOMA_SHOT_DELAY=$delay \
  HORLOMA_SHOT="$top/docs/horloma-1920x1080.png" tools/run-saver.sh "$build" "$width" saver

# The same clock over another wallpaper of the set, chosen as the settings dialog would.
"$loader" reg add "$settings_key" /v nameBack /t REG_SZ /d 02.bmp /f >/dev/null 2>&1
"$server" -w
env -u DISPLAY TZ="$(ten_past_ten)" HORLOMA_SHOT_DELAY=$delay \
  HORLOMA_SHOT="$top/docs/horloma-walnut.png" tools/run-saver.sh "$build" "$width" saver
"$loader" reg delete "$settings_key" /v nameBack /f >/dev/null 2>&1
"$server" -w

# Xvfb has no window manager to draw the dialog's caption and frame; Wine draws them
# itself for windows it does not hand to one, so the prefix says so for this one shot.
x11_key='HKCU\Software\Wine\X11 Driver'
shot=$top/build/screenshot-settings-full.png
"$loader" reg add "$x11_key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$server" -w
env -u DISPLAY HORLOMA_SHOT_DELAY=5 HORLOMA_SHOT="$shot" tools/run-saver.sh "$build" "$width" config
"$loader" reg delete "$x11_key" /v Managed /f >/dev/null 2>&1
"$server" -w
# The screen around the dialog is plain black: trimming it leaves the dialog alone.
convert "$shot" -trim +repage "$top/docs/horloma-settings.png"
echo "Settings dialog: $top/docs/horloma-settings.png"
