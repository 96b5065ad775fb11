#!/usr/bin/env bash
# Analyses proteins with the workbench's batch mode and prints the fragment table.
#   bash scripts/run.sh                          the sample hemoglobins with Trypsin
#   bash scripts/run.sh FILE.fasta REAGENT [OPTIONS]
# OPTIONS are the batch mode's: --best N | --above P, --sort probability|weight|position,
# --range A-B. On a fresh Debian 12 machine it installs, builds and makes the Wine prefix.
set -euo pipefail

fasta="${1:-$(dirname "$0")/../samples/hemoglobin.fasta}"
reagent="${2:-Trypsin}"
shift $(( $# < 2 ? $# : 2 ))
[ -r "$fasta" ] || { echo "cannot read the FASTA file $fasta" >&2; exit 1; }
fasta="$(realpath "$fasta")"
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh >/dev/null
source scripts/wine-env.sh
# The by-hand prefix; the build also writes the reagent library with it.
export WINEPREFIX="$HOME/.wine-cleavage-tools"
make_wine_prefix
tree=build/x86_64
toolchain=()
[ -f "$tree/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake)
cmake -S . -B "$tree" -G "Unix Makefiles" "${toolchain[@]}" -DCLEAVAGE_BUILD_TESTS=ON >/dev/null
cmake --build "$tree" -j "${BUILD_JOBS:-$(nproc)}" --target Workbench >/dev/null

out="$(mktemp -d)"
trap 'stop_wine_and_xvfb; rm -rf "$out"' EXIT
# Batch mode shows no window, but Wine's window classes need a display.
start_xvfb 1024x768x24

status=0
"$WINE64" "$tree/bin/Workbench.exe" /batch --fasta "Z:$fasta" --reagent "$reagent" "$@" \
  --out "Z:$out/fragments.tsv" || status=$?
[ "$status" -eq 0 ] && cat "$out/fragments.tsv"
exit "$status"
