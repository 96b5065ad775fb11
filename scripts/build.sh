#!/usr/bin/env bash
# Builds both targets, each with its tests: build/x86_64 (a debug-checked build, with
# ASSERT active) and build/i686 (the shipped 32-bit CleavagePlugin.tsplugin); and
# build/native, the engine for Linux (`cleavage`) with its tests. Each tree's build is said
# on stderr with its time; its output is kept in build/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The build runs one program under Wine: the writer of the shipped reagent library.
source scripts/wine-env.sh
make_wine_prefix

jobs="${BUILD_JOBS:-$(nproc)}"
build_windows_tree() {
  local arch="$1"
  # The toolchain is given once, when the tree is made: CMake keeps it, and warns about
  # a toolchain given again.
  local toolchain=()
  [ -f "build/$arch/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake")
  # The reagent library is written by a program of the tree under Wine; a kernel that
  # cannot run 32-bit programs ships the x86-64 tree's file in the i686 tree.
  local library=()
  if [ "$arch" = i686 ] && ! "$WINE32" --version >/dev/null 2>&1; then
    library=(-DCLEAVAGE_SHIPPED_LIBRARY="$PWD/build/x86_64/bin/AM/Enzymes.dat")
  fi
  cmake -S . -B "build/$arch" -G "Unix Makefiles" "${toolchain[@]}" "${library[@]}" -DCLEAVAGE_BUILD_TESTS=ON
  cmake --build "build/$arch" -j "$jobs"
}
# The engine's native build: `cleavage` and its tests, which run without Wine.
build_native_tree() {
  cmake -S engine -B build/native -G "Unix Makefiles"
  cmake --build build/native -j "$jobs"
}

# A tree built before takes seconds; a new one several minutes.
fresh() { [ -f "build/$1/CMakeCache.txt" ] || echo " (first build: several minutes)"; }
stage "building build/x86_64, the x86-64 Windows build with its tests$(fresh x86_64)" build-x86_64 build_windows_tree x86_64
stage "building build/i686, the shipped 32-bit build with its tests$(fresh i686)" build-i686 build_windows_tree i686
stage "building build/native, the engine for Linux with its tests$(fresh native)" build-native build_native_tree
