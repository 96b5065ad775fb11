#!/usr/bin/env bash
# Takes a screenshot of the reagent dialog editing a reagent of the shipped library, opened
# from the settings form as the form's Edit command opens it: build/reagent-dialog.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session imagemagick

mkdir -p "$SCRATCH_DIR/AM"
cp build/x86_64/bin/AM/Enzymes.dat "$SCRATCH_DIR/AM/Enzymes.dat"
"$WINE64" build/x86_64/bin/SettingsFormPreview.exe --seconds 8 --edit "${1:-Thrombin}" &
preview_pid=$!
sleep 5
import -window root -crop 800x600+0+0 +repage build/reagent-dialog.png
wait $preview_pid || true
echo "build/reagent-dialog.png"
