#!/usr/bin/env bash
# Makes the Windows installer from the release's staged files (scripts/package.sh writes
# them and their File and Delete lists under build/release):
#   bash packaging/make-installer.sh VERSION LIBRARY_STAGE OUTFILE
# LIBRARY_STAGE is the folder whose AM/Enzymes.dat the installer ships (the staged files'
# own, or another library for an upgrade test).
set -euo pipefail
cd "$(dirname "$0")/.."
release="$PWD/build/release"
makensis -V2 -DVERSION="$1" -DSTAGE="$2" -DFILES="$release/files.nsh" -DUNFILES="$release/unfiles.nsh" \
  -DOUTFILE="$3" packaging/CleavagePlugin.nsi
