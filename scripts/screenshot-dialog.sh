#!/usr/bin/env bash
# Takes a screenshot of the reagent dialog editing a reagent of the shipped library, opened
# from the settings form as the form's Edit command opens it: build/reagent-dialog.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session imagemagick

use_shipped_library
"$WINE64" build/x86_64/bin/SettingsFormPreview.exe --seconds 8 --edit "${1:-Thrombin}" &
preview_pid=$!
take_screenshot 5 800x600+0+0 build/reagent-dialog.png
wait_for_preview "$preview_pid"
