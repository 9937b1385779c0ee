#!/bin/bash
# Runs the bad-input cases under Wine, in a session of its own, and writes how many
# were tried and passed to OUT_FILE. Usage: run-bad-input.sh BUILD_DIR WIDTH OUT_FILE
set -u
build=$1 width=$2 out=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
log=$(dirname "$out")/bad-input.log
mkdir -p "$(dirname "$out")"
# The broken-file thumbnails and the settings cases live with the other dialog tests.
dialog_cases='ThumbnailTest.BrokenFiles*:SettingsDialogTest.Thousands*'
dialog_cases+=':SettingsDialogTest.CancelAfterEdits*:SettingsDialogTest.OkWhenTheUserKey*'
dialog_cases+=':SettingsDialogTest.SetToDefaultThenCancel*'
HORLOMA_FONT=$build/fonts/Dodaz.ttf "$top/tests/wine/wine-session.sh" \
  "$top/build/wine-badinput/prefix" "$width" bash -c '
    "$WINELOADER" "$1/bad_input_tests.exe" && \
    "$WINELOADER" "$1/dialog_tests.exe" --gtest_filter="$2"' _ "$build" "$dialog_cases" \
  >"$log" 2>&1
status=$?
tried=0 passed=0
while read -r _ _ t _ p _; do
  tried=$((tried + t)) passed=$((passed + p))
done < <(grep -a '^bad-input cases:' "$log")
{
  echo "Bad input: $tried cases tried on the real program under Wine, $passed passed" \
       "(gtest exit status $status; log in $log)"
} | tee "$out"
exit $status
