#!/bin/sh
# Installs, on Debian 12, whatever building and testing need and the machine lacks.
# Says nothing more when everything is there already. Needs root to install.
set -eu

packages="cmake ninja-build g++ make python3
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  libgtest-dev googletest
  wine wine32:i386 wine64
  xvfb xauth x11-utils xdotool imagemagick
  python3-fonttools fonts-dejavu-extra
  clang libclang-rt-14-dev nsis"

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing; run 'make test' as root to install them." >&2
  exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
