#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, and any further packages
# named on the command line (the by-hand scripts name theirs). Safe to run again: when all
# are there it does nothing and says nothing.
set -euo pipefail
source "$(dirname "$0")/progress.sh"

packages=(
  cmake make
  g++
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest
  wine wine64 wine32:i386 fonts-wine
  xvfb procps
  snakemake slurm-wlm munge python3
  "$@"
)

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

# 32-bit Wine runs the shipped i686 build; its packages come from the i386 architecture.
add_i386=""
dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ -z "$add_i386" ] && exit 0

# apt waits for another apt or dpkg that holds its lock, but not for ever.
install_packages() {
  if [ -n "$add_i386" ]; then $sudo_cmd dpkg --add-architecture i386; fi
  $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 update
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y \
      --no-install-recommends "${missing[@]}"
  fi
}
count=${#missing[@]}
stage "installing $count package$([ "$count" -eq 1 ] || echo s) (${missing[*]:0:4}$([ "$count" -le 4 ] || echo ", ...")); on a fresh machine this takes several minutes" \
  install-packages install_packages
