#!/usr/bin/env bash
# Runs the benchmark programs under Wine and one Xvfb, on a scratch installation
# folder, and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh >/dev/null
source scripts/wine-env.sh
make_wine_prefix
trap 'stop_wine_and_xvfb; rm -rf "${SCRATCH_DIR:-}"' EXIT
start_xvfb 1024x768x24
use_scratch_installation

for bench in LibraryBenchmark EditorBenchmark; do
  echo "== $bench"
  "$WINE64" "build/x86_64/bin/$bench.exe" </dev/null
done
