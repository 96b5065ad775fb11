#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, and any further packages
# named on the command line (the by-hand scripts name theirs). Safe to run again.
set -euo pipefail

packages=(
  cmake make
  g++
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest
  wine wine64 wine32:i386 fonts-wine
  xvfb
  "$@"
)

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

# 32-bit Wine runs the shipped i686 build; its packages come from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
  apt_list_stale=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${apt_list_stale:-}" ]; then
  $sudo_cmd apt-get update
fi
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
