#!/bin/bash
# Runs a command in a throwaway Wine session: an Xvfb of its own on a free display,
# started first, then a fresh prefix at PREFIX made with wineboot, Wine kept quiet.
# Stops exactly what it started: the Xvfb by its PID, the prefix's wineserver with -k.
# Usage: wine-session.sh PREFIX WIDTH COMMAND [ARGUMENT...]   (WIDTH: i686 or x86_64)
# HORLOMA_FONT, if set, names the Dodaz.ttf to install into the prefix's Fonts folder;
# HORLOMA_LOGPIXELS, if set, the DPI setting of the prefix's screen.
set -u
prefix=$1 width=$2
shift 2

case $width in
  i686)
    export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
  x86_64)
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
  *)
    echo "wine-session: unknown width '$width'" >&2; exit 2 ;;
esac
WINEPREFIX=$(realpath -m "$prefix")
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko installers, and no desktop menu entries, in a test prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${HORLOMA_SCREEN:-1920x1080x24}" -nolisten tcp \
  3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!

cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  rm -f "$display_file"
}
trap cleanup EXIT

for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
if ! [ -s "$display_file" ]; then
  echo "wine-session: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$display_file")"

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# A persistent server for the whole session, so each test does not start one anew.
"$WINESERVER" -p
if ! "$WINELOADER" wineboot -i >/dev/null 2>&1; then
  echo "wine-session: wineboot failed for $WINEPREFIX" >&2
  exit 1
fi

# Wine loads every file in the Fonts folder as each process starts, so the programs run
# below see the font; the key is there as Windows would have it. To run a program without
# the font, a test moves the file out of the folder before starting it (and back after):
# Wine ignores the key, loads renamed files in the folder too, and RemoveFontResourceW
# does not drop a font it loaded from there.
if [ -n "${HORLOMA_FONT:-}" ]; then
  if ! cp "$HORLOMA_FONT" "$WINEPREFIX/drive_c/windows/Fonts/Dodaz.ttf" ||
     ! "$WINELOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
         /v 'Dodaz (TrueType)' /t REG_SZ /d 'Dodaz.ttf' /f >/dev/null 2>&1; then
    echo "wine-session: could not install the font $HORLOMA_FONT" >&2
    exit 1
  fi
fi

# HORLOMA_LOGPIXELS, if set, raises the screen's DPI setting for the programs run below.
if [ -n "${HORLOMA_LOGPIXELS:-}" ]; then
  if ! "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
         /d "$HORLOMA_LOGPIXELS" /f >/dev/null 2>&1; then
    echo "wine-session: could not set the DPI to $HORLOMA_LOGPIXELS" >&2
    exit 1
  fi
fi

"$@"
status=$?
exit $status
