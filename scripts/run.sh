#!/usr/bin/env bash
# Analyses proteins with the workbench's batch mode and prints the fragment table.
#   bash scripts/run.sh                          the sample hemoglobins with Trypsin
#   bash scripts/run.sh FILE.fasta REAGENT [OPTIONS]
# OPTIONS are the batch mode's (README). On a fresh Debian 12 machine it installs, makes the
# Wine prefix and builds; each stage is said on stderr with its time, and stdout is the table
# alone. Runs at once share the prefix safely.
set -euo pipefail

fasta="${1:-$(dirname "$0")/../samples/hemoglobin.fasta}"
reagent="${2:-Trypsin}"
shift $(( $# < 2 ? $# : 2 ))
[ -r "$fasta" ] || { echo "cannot read the FASTA file $fasta" >&2; exit 1; }
fasta="$(realpath "$fasta")"
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
source scripts/wine-env.sh
out="$(mktemp -d)"
trap 'leave_tool_session; rm -rf "$out"' EXIT
# Batch mode shows no window, but Wine's window classes need a display. The build writes
# the reagent library with the tools' prefix too.
join_tool_session 1024x768x24
tree=build/x86_64
# Two runs at once build the tree one after the other; a run waits up to half an hour for
# another's first build. A tree made once configures itself again when a CMake file
# changes; one whose workbench is newer than every source is up to date, and the build's
# own check (seconds) is left out.
acquire_lock "$tree.lock" 1800
build_workbench() {
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake -S . -B "$tree" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake \
      -DCLEAVAGE_BUILD_TESTS=ON
  fi
  cmake --build "$tree" -j "${BUILD_JOBS:-$(nproc)}" --target Workbench
}
sources=(CMakeLists.txt cmake toolkit host data grid reagent_dialog editor plugin resources engine workbench tools)
if [ ! -f "$tree/bin/Workbench.exe" ] || [ -n "$(find "${sources[@]}" -newer "$tree/bin/Workbench.exe" -print -quit)" ]; then
  first=""
  [ -f "$tree/bin/Workbench.exe" ] || first=" (first run: several minutes)"
  stage "building the workbench in $tree$first" build-workbench build_workbench
fi
release_lock "$tree.lock"

status=0
timed_stage "analysing $(basename "$fasta") with $reagent" \
  "$WINE64" "$tree/bin/Workbench.exe" /batch --fasta "Z:$fasta" --reagent "$reagent" "$@" \
  --out "Z:$out/fragments.tsv" || status=$?
# 3: the table was written, but proteins were left out (the warnings say which).
if [ "$status" -eq 0 ] || [ "$status" -eq 3 ]; then cat "$out/fragments.tsv"; fi
exit "$status"
