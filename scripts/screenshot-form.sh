#!/usr/bin/env bash
# Takes a screenshot of the settings form, hosted as the host shows it, with a small
# sample library: build/settings-form.png. For looking at the form under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session imagemagick

"$WINE64" build/x86_64/bin/SampleLibrary.exe
"$WINE64" build/x86_64/bin/SettingsFormPreview.exe --seconds 6 &
preview_pid=$!
take_screenshot 4 670x520+0+0 build/settings-form.png
wait_for_preview "$preview_pid"
