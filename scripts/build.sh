#!/usr/bin/env bash
# Builds both targets, each with its tests: build/x86_64 (a debug-checked build, with
# ASSERT active) and build/i686 (the shipped 32-bit CleavagePlugin.tsplugin); and
# build/native, the engine for Linux (`cleavage`) with its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The build runs one program under Wine: the writer of the shipped reagent library.
source scripts/wine-env.sh
make_wine_prefix

jobs="${BUILD_JOBS:-$(nproc)}"
for arch in x86_64 i686; do
  # The toolchain is given once, when the tree is made: CMake keeps it, and warns about
  # a toolchain given again.
  toolchain=()
  [ -f "build/$arch/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake")
  # The reagent library is written by a program of the tree under Wine; a kernel that
  # cannot run 32-bit programs ships the x86-64 tree's file in the i686 tree.
  library=()
  if [ "$arch" = i686 ] && ! "$WINE32" --version >/dev/null 2>&1; then
    library=(-DCLEAVAGE_SHIPPED_LIBRARY="$PWD/build/x86_64/bin/AM/Enzymes.dat")
  fi
  cmake -S . -B "build/$arch" -G "Unix Makefiles" "${toolchain[@]}" "${library[@]}" -DCLEAVAGE_BUILD_TESTS=ON >/dev/null
  cmake --build "build/$arch" -j "$jobs"
done

# The engine's native build: `cleavage` and its tests, which run without Wine.
cmake -S engine -B build/native -G "Unix Makefiles" >/dev/null
cmake --build build/native -j "$jobs"
