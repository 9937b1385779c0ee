#!/bin/bash
# Runs the real saver full screen for a while, inside a Wine session, and reads the CPU
# time its process used from /proc: the share of one core a running saver costs.
# Usage: running-saver-cpu.sh SCR INSTALL_FOLDER SECONDS
set -eu
scr=$1 install_folder=$2 seconds=$3
windows_folder=$("$WINELOADER" winepath -w "$install_folder" 2>/dev/null | tr -d '\r')
"$WINELOADER" reg add 'HKLM\Software\Veltrane\Horloma' /v 'Install path' /t REG_SZ \
  /d "$windows_folder" /f >/dev/null 2>&1
"$WINELOADER" "$scr" /s &
for _ in $(seq 100); do
  pid=$(pgrep -f 'horloma.scr /s' | head -n 1 || true)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "the saver did not start"; exit 1; }
sleep 3  # past start-up and the first frame

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks "$pid")
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks "$pid")
end=$(date +%s.%N)
xdotool key space
wait || true

awk -v b="$before" -v a="$after" -v hz="$hz" -v s="$start" -v e="$end" \
    -v size="$(xdpyinfo | awk '/dimensions:/ { print $2 }')" 'BEGIN {
  cpu = (a - b) / hz; wall = e - s; share = 100 * cpu / wall
  printf "running full screen at %s for %.0f s: %.2f s of CPU, %.3f %% of one core " \
         "(%.2f s per minute; target under 0.5 %%: %s)\n",
         size, wall, cpu, share, 60 * cpu / wall, share < 0.5 ? "met" : "MISSED" }'
