#!/bin/sh
# Checks a built horloma.scr or setup program: the Windows GUI subsystem, the expected
# width (PE32 for i686, PE32+ for x86_64) and imports from system DLLs only.
# Usage: check-program-file.sh FILE OBJDUMP ARCH
set -eu
file=$1 objdump=$2 arch=$3
case $arch in
  i686) format=pei-i386 magic=010b ;;
  x86_64) format=pei-x86-64 magic=020b ;;
  *) echo "unknown width $arch"; exit 2 ;;
esac
fail=0
headers=$("$objdump" -p "$file")
"$objdump" -f "$file" | grep -q "file format $format" ||
  { echo "FAIL: $file is not $format"; fail=1; }
echo "$headers" | grep -q "^Magic[[:space:]]*$magic" ||
  { echo "FAIL: optional header magic is not $magic"; fail=1; }
echo "$headers" | grep -q "^Subsystem[[:space:]]*00000002" ||
  { echo "FAIL: subsystem is not Windows GUI"; fail=1; }
# The DLLs every Windows installation carries.
system_dlls='^(kernel32|user32|gdi32|gdiplus|advapi32|shell32|msvcrt|comctl32|ole32|oleaut32|shlwapi|comdlg32|version|winmm|ws2_32)\.dll$'
imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "FAIL: no imports found"; fail=1; }
for dll in $imports; do
  if echo "$dll" | grep -Eq "$system_dlls"; then
    echo "import $dll: system DLL"
  else
    echo "FAIL: import $dll is not a system DLL"
    fail=1
  fi
done
[ $fail -eq 0 ] && echo "$file: $format, Windows GUI, system DLLs only"
exit $fail
