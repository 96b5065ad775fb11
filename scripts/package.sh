#!/usr/bin/env bash
# Builds the release from clean build trees (build/release) into dist/:
#   CleavagePlugin-<version>-setup.exe  the Windows installer (NSIS)
#   CleavagePlugin-<version>-win32.zip  the same files, for copying by hand
#   cleavage_<version>_amd64.deb        the engine for Linux, as a Debian package
# The version is the CMake project's. On a fresh Debian 12 machine it installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh nsis zip dpkg-dev
source scripts/wine-env.sh
# The build writes the shipped reagent library with a 32-bit program of its own.
run_with_i386_programs scripts/package.sh "$@"
make_wine_prefix

release=build/release
rm -rf "$release" dist
mkdir -p "$release" dist
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  say "note: the working tree has changes not committed; the packages hold them"
fi

jobs="${BUILD_JOBS:-$(nproc)}"
build_windows_release() {
  cmake -S . -B "$release/i686" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake \
    -DCLEAVAGE_BUILD_TESTS=OFF
  cmake --build "$release/i686" -j "$jobs"
}
build_native_release() {
  cmake -S engine -B "$release/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$release/native" -j "$jobs" --target CleavageProgram
}
stage "building the shipped 32-bit release in $release/i686 (several minutes)" release-i686 build_windows_release
stage "building the engine for Linux in $release/native" release-native build_native_release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/i686/CMakeCache.txt")
[ -n "$version" ] || { say "the release build names no project version"; exit 1; }

# The files a user installs, as they lie in the installation folder.
files="$PWD/$release/stage/CleavagePlugin-$version"
stage_files() {
  local bin="$release/i686/bin"
  mkdir -p "$files/AM" "$files/docs"
  cp "$bin"/*.dll "$bin/CleavagePlugin.tsplugin" "$bin/Cleavage.exe" "$bin/Workbench.exe" "$files/"
  cp "$bin/AM/Enzymes.dat" "$files/AM/"
  # The programs without their debugging information: a third of the size.
  i686-w64-mingw32-strip --strip-debug "$files"/*.dll "$files"/*.exe "$files/CleavagePlugin.tsplugin"
  cp "$bin/README.md" "$bin/ParameterFile.md" "$files/"
  # The README's picture, where the README links it.
  cp docs/workbench.png "$files/docs/"
}
stage_files

# The installer's File and Delete lines, written from the staged files; the library is the
# installer's own business (packaging/CleavagePlugin.nsi).
write_installer_lists() {
  local folder relative
  : >"$release/files.nsh"
  : >"$release/unfiles.nsh"
  while IFS= read -r folder; do
    relative=${folder#"$files"}
    echo "SetOutPath \"\$INSTDIR${relative//\//\\}\"" >>"$release/files.nsh"
    find "$folder" -maxdepth 1 -type f ! -path "$files/AM/Enzymes.dat" -printf '%f\n' | sort |
      while IFS= read -r name; do
        echo "File \"$folder/$name\"" >>"$release/files.nsh"
        echo "Delete \"\$INSTDIR${relative//\//\\}\\$name\"" >>"$release/unfiles.nsh"
      done
  done < <(find "$files" -type d | sort)
  find "$files" -mindepth 1 -type d ! -path "$files/AM" | sort -r | while IFS= read -r folder; do
    relative=${folder#"$files"}
    echo "RMDir \"\$INSTDIR${relative//\//\\}\"" >>"$release/unfiles.nsh"
  done
}
write_installer_lists
stage "making the installer dist/CleavagePlugin-$version-setup.exe" installer \
  bash packaging/make-installer.sh "$version" "$files" "$PWD/dist/CleavagePlugin-$version-setup.exe"

stage "making the zip dist/CleavagePlugin-$version-win32.zip" zip \
  bash -c 'cd "$1" && zip -r -X "$2" "CleavagePlugin-$3"' zip "$release/stage" "$PWD/dist/CleavagePlugin-$version-win32.zip" "$version"

make_debian_package() {
  local root="$release/deb/cleavage" doc="$release/deb/cleavage/usr/share/doc/cleavage"
  install -D -m 755 -s "$release/native/cleavage" "$root/usr/bin/cleavage"
  install -D -m 644 engine/ParameterFile.md "$doc/ParameterFile.md"
  # The libraries the program needs, as Debian's tools find them.
  mkdir -p "$release/deb/shlibs/debian"
  printf 'Source: cleavage\n\nPackage: cleavage\nArchitecture: amd64\n' >"$release/deb/shlibs/debian/control"
  local depends
  depends=$(cd "$release/deb/shlibs" && dpkg-shlibdeps -O "$PWD/../cleavage/usr/bin/cleavage" |
    sed -n 's/^shlibs:Depends=//p')
  mkdir -p "$root/DEBIAN"
  cat >"$root/DEBIAN/control" <<CONTROL
Package: cleavage
Version: $version
Architecture: amd64
Maintainer: Cleavage Plug-in developers <cleavage@localhost>
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $depends
Section: science
Priority: optional
Description: protein cleavage engine: fragments with their probabilities
 cleavage digests the proteins of a FASTA file with a cleavage reagent (an
 enzyme or a chemical) and writes every fragment with the probability that
 the digest yields it, its masses and, for mass spectrometry, its modified
 forms and m/z values. It is the engine of the Cleavage Plug-in.
 .
 "cleavage --help" shows its command line; the parameter file it reads is
 described in /usr/share/doc/cleavage/ParameterFile.md.
CONTROL
  dpkg-deb --root-owner-group --build "$root" "dist/cleavage_${version}_amd64.deb"
}
stage "making the Debian package dist/cleavage_${version}_amd64.deb" debian-package make_debian_package

ls -l dist/
