#!/usr/bin/env bash
# Takes a screenshot of the workbench with the sample analysed (the form's reagent,
# Trypsin when the library is the shipped one): build/workbench.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session imagemagick
use_shipped_library
cp build/x86_64/bin/Cleavage.exe "$SCRATCH_DIR/"

"$WINE64" build/x86_64/bin/Workbench.exe "Z:$PWD/samples/hemoglobin.fasta" /run &
workbench_pid=$!
take_screenshot 6 1016x700 build/workbench.png
kill "$workbench_pid" 2>/dev/null || true
