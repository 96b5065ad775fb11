#!/usr/bin/env bash
# Takes a screenshot of two position grids, one with a selected cell and one with a cell
# being edited: build/position-grid.png. For looking at the grid under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session imagemagick

"$WINE64" build/x86_64/bin/GridPreview.exe --seconds 6 &
preview_pid=$!
take_screenshot 4 530x170+0+0 build/position-grid.png
wait_for_preview "$preview_pid"
