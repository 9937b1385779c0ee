#!/bin/bash
# Installs Horloma with its setup program into a Wine prefix of its own under build/ and
# starts the installed saver as a user would see it. On the current display if
# there is one; otherwise under an Xvfb of its own, with a screenshot saved in build/.
# Usage: run-saver.sh BUILD_DIR WIDTH [MODE]   (MODE: saver, config, preview)
set -u
build_dir=$1 width=$2 mode=${3:-saver}
top=$(cd "$(dirname "$0")/.." && pwd)

case $width in
  i686) export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
  x86_64) export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
  *) echo "run-saver: unknown width '$width'" >&2; exit 2 ;;
esac
export WINEPREFIX=$top/build/wine-run/prefix-$width
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

case $mode in
  saver) arguments=(/s) ;;
  config) arguments=(/c:0) ;;
  preview) arguments=(/p 0) ;;
  *) echo "run-saver: unknown mode '$mode' (saver, config or preview)" >&2; exit 2 ;;
esac

xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    "$WINESERVER" -k >/dev/null 2>&1
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$display_file")"
  rm -f "$display_file"
  echo "No display: running under Xvfb on $DISPLAY"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINELOADER" wineboot -i >/dev/null 2>&1
fi

# Installed as a user installs it: the real setup program, silently, each time, so the
# prefix always holds this build.
echo "Installing with $build_dir/horloma-setup.exe /S"
if ! "$WINELOADER" "$build_dir/horloma-setup.exe" /S; then
  echo "run-saver: the setup program failed" >&2
  exit 1
fi

echo "Starting the installed Horloma.scr ${arguments[*]}"
"$WINELOADER" 'C:\windows\system32\Horloma.scr' "${arguments[@]}" &
saver_pid=$!

if [ -n "$xvfb_pid" ]; then
  # Give it time to draw, keep a picture of the screen, then end it as a user would.
  sleep "${HORLOMA_SHOT_DELAY:-6}"
  if kill -0 "$saver_pid" 2>/dev/null; then
    shot=${HORLOMA_SHOT:-$top/build/screenshot-$mode.png}
    if command -v import >/dev/null; then
      import -window root "$shot" && echo "Screenshot: $shot"
    fi
    # A key press ends the saver the way it ends for a user; the settings dialog is
    # closed with Escape, since space would press its focused button.
    key=space
    [ "$mode" = config ] && key=Escape
    xdotool key --clearmodifiers "$key"
    for _ in $(seq 50); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
  fi
fi
wait "$saver_pid"
status=$?
echo "horloma.scr exited with code $status"
exit $status
