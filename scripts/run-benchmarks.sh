#!/usr/bin/env bash
# Runs the benchmark programs under Wine and one Xvfb, each on a scratch installation
# folder, and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."

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

for bench in LibraryBenchmark EditorBenchmark; do
  echo "== $bench"
  /usr/lib/wine/wine64 "build/x86_64/bin/$bench.exe" </dev/null
done
