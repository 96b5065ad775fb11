#!/usr/bin/env bash
# Builds both targets: build/x86_64 (the one the tests run, with the tests) and
# build/i686 (the shipped 32-bit CleavagePlugin.tsplugin); and build/native, the engine
# for Linux (`cleavage`) with its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs="${BUILD_JOBS:-$(nproc)}"
for arch in x86_64 i686; do
  tests=ON
  [ "$arch" = i686 ] && tests=OFF
  cmake -S . -B "build/$arch" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake" \
    -DCLEAVAGE_BUILD_TESTS=$tests >/dev/null
  cmake --build "build/$arch" -j "$jobs"
done

# The engine's native build: `cleavage` and its tests, which run without Wine.
cmake -S engine -B build/native -G "Unix Makefiles" >/dev/null
cmake --build build/native -j "$jobs"
