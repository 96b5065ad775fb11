#!/usr/bin/env bash
# Takes a screenshot of the workbench with the sample digested by Trypsin, with the panel's
# oxidised methionine and m/z columns (the sample settings file) and the sample peak list
# matched: docs/workbench.png, the
# picture in the README, or the PNG file named.
set -euo pipefail
picture="$(realpath -m "${1:-$(dirname "$0")/../docs/workbench.png}")"
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
# The window takes 1240x900 of the screen, centred.
TOOL_SCREEN=1280x1024
begin_tool_session imagemagick
use_shipped_library
cp build/x86_64/bin/Cleavage.exe "$SCRATCH_DIR/"

"$WINE64" build/x86_64/bin/Workbench.exe "Z:$PWD/samples/hemoglobin.fasta" \
  /settings "Z:$PWD/samples/trypsin-oxidation.settings" /masses "Z:$PWD/samples/hemoglobin-tryptic.masses" /run &
workbench_pid=$!
take_screenshot 8 1240x900+20+62 "$picture"
kill "$workbench_pid" 2>/dev/null || true
