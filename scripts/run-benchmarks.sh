#!/usr/bin/env bash
# Runs the benchmark programs under Wine and one Xvfb, on a scratch installation
# folder, and prints their figures; then the library reader's fuzz run, on
# FUZZ_FILES files (a million by default).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session

for bench in LibraryBenchmark EditorBenchmark; do
  echo "== $bench"
  "$WINE64" "build/x86_64/bin/$bench.exe" </dev/null
done

echo "== LibraryFuzz"
"$WINE64" build/x86_64/bin/LibraryFuzz.exe "${FUZZ_FILES:-1000000}" </dev/null
