#!/usr/bin/env bash
# Runs the benchmark programs under Wine and one Xvfb, on a scratch installation
# folder, and prints their figures; then the library reader's fuzz run, on
# FUZZ_FILES files (a million by default).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh
begin_tool_session

# A record of 574,000 residues opened in the workbench, on the shipped library.
use_shipped_library
echo "== WorkbenchBenchmark"
"$WINE64" build/x86_64/bin/WorkbenchBenchmark.exe </dev/null
echo "== LibraryBenchmark"
"$WINE64" build/x86_64/bin/LibraryBenchmark.exe </dev/null
# The settings form with a library of 1,000 and of 10,000 reagents.
for reagents in 1000 10000; do
  echo "== EditorBenchmark $reagents"
  "$WINE64" build/x86_64/bin/EditorBenchmark.exe "$reagents" </dev/null
done

echo "== LibraryFuzz"
"$WINE64" build/x86_64/bin/LibraryFuzz.exe "${FUZZ_FILES:-1000000}" </dev/null
