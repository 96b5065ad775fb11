#!/usr/bin/env bash
# Takes a screenshot of the settings form, hosted as the host shows it, with a small
# sample library: build/settings-form.png. For looking at the form under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v import >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends imagemagick
bash scripts/build.sh >/dev/null
source scripts/wine-env.sh
make_wine_prefix

scratch=$(mktemp -d)
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$scratch" "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$display_file")"

export TESSARO_MAINDIR="$(/usr/lib/wine/wine64 winepath -w "$scratch" 2>/dev/null | tr -d '\r')"
/usr/lib/wine/wine64 build/x86_64/bin/SettingsFormPreview.exe --sample --seconds 6 &
preview_pid=$!
sleep 4
import -window root -crop 670x520+0+0 +repage build/settings-form.png
wait $preview_pid || true
echo "build/settings-form.png"
