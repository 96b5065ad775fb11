#!/usr/bin/env bash
# Runs the benchmark programs under Wine and one Xvfb, on a scratch installation
# folder, and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session

for bench in LibraryBenchmark EditorBenchmark; do
  echo "== $bench"
  "$WINE64" "build/x86_64/bin/$bench.exe" </dev/null
done
