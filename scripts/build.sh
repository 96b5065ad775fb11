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
  cmake -S . -B "build/$arch" -G "Unix Makefiles" "${toolchain[@]}" -DCLEAVAGE_BUILD_TESTS=ON >/dev/null
  cmake --build "build/$arch" -j "$jobs"
done

# The engine's native build: `cleavage` and its tests, which run without Wine.
cmake -S engine -B build/native -G "Unix Makefiles" >/dev/null
cmake --build build/native -j "$jobs"
