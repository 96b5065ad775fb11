#!/usr/bin/env bash
# Tests the release that scripts/package.sh wrote into dist/, as a user installs it: the
# installer silently under Wine into a fresh prefix, the installed workbench's batch on the
# sample, the reagent library through reinstall, upgrade and uninstall, and the Debian
# package with dpkg. Its last line counts the checks.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh nsis unzip
source scripts/wine-env.sh
run_with_i386_programs scripts/test-release.sh "$@"

shopt -s nullglob
installers=(dist/CleavagePlugin-*-setup.exe)
release=build/release
if [ ${#installers[@]} -ne 1 ] || [ ! -f "$release/files.nsh" ]; then
  say "no release to test in dist/: make it first with bash scripts/package.sh"
  exit 1
fi
installer="$PWD/${installers[0]}"
version=${installer##*/CleavagePlugin-}
version=${version%-setup.exe}
zip="dist/CleavagePlugin-$version-win32.zip"
deb="dist/cleavage_${version}_amd64.deb"

work="$PWD/build/release-test"
rm -rf "$work"
mkdir -p "$work"
failures=0
check() {
  local name="$1"
  shift
  if "$@"; then echo "ok:     $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}

# A prefix of the test's own, made anew, in which nothing was ever installed. Wine makes
# no menu entries on this machine for the installer's shortcut.
export WINEPREFIX="$work/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
make_wine_prefix
start_xvfb 1024x768x24
trap stop_wine_and_xvfb EXIT

# NSIS reads /D= to the end of its command line, unquoted, and Wine quotes an argument with
# a blank in it: the chosen folder has none.
folder_windows='C:\Science\Cleavage'
folder="$WINEPREFIX/drive_c/Science/Cleavage"
library="$folder/AM/Enzymes.dat"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Cleavage Plug-in/Cleavage Workbench.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CleavagePlugin'

# The files as the zip holds them: the installer must put the same bytes in the folder.
unzip -q "$zip" -d "$work/zip"
files="$work/zip/CleavagePlugin-$version"

# An installer of a higher version whose shipped library differs, made from the same files.
next_version="${version%.*}.$((${version##*.} + 1))"
next_installer="$work/CleavagePlugin-$next_version-setup.exe"
mkdir -p "$work/next/AM"
{ cat "$files/AM/Enzymes.dat"; printf 'the library of %s' "$next_version"; } >"$work/next/AM/Enzymes.dat"
stage "making an installer of version $next_version to upgrade to" next-installer \
  bash packaging/make-installer.sh "$next_version" "$work/next" "$next_installer"

# install INSTALLER: silently, into the test's folder.
install() {
  bounded "the installer $(basename "$1")" 300 "$WINE32" "$1" /S "/D=$folder_windows"
}
# The uninstaller copies itself away and runs from there; it is done when the prefix's
# server ends.
uninstall() {
  bounded "the uninstaller" 300 "$WINE32" "$folder/Uninstall.exe" /S && wait_for_wine_server
}
installed_version() {
  "$WINE32" reg query "$uninstall_key" /v DisplayVersion 2>/dev/null | tr -d '\r' |
    sed -n 's/.*DisplayVersion[[:space:]]*REG_SZ[[:space:]]*//p'
}
same_files_as_zip() {
  local name
  while IFS= read -r name; do
    cmp -s "$files/$name" "$folder/$name" || { echo "    differs or missing: $name"; return 1; }
  done < <(cd "$files" && find . -type f | sed 's|^\./||')
}
folder_gone() { [ ! -e "$folder" ]; }
only_library_left() {
  [ "$(cd "$folder" && find . -type f)" = "./AM/Enzymes.dat" ]
}
same_bytes() { cmp -s "$1" "$2"; }
batch_prints_sample_table() {
  env -u TESSARO_MAINDIR "$WINE32" "$folder/Workbench.exe" /batch --fasta "Z:$PWD/samples/hemoglobin.fasta" \
    --reagent Trypsin --out "Z:$work/table.tsv" </dev/null >/dev/null 2>"$work/batch.err" &&
    cmp -s "$work/table.tsv" samples/hemoglobin-trypsin.tsv
}

echo "== install $version, run, uninstall"
check "the installer installs silently" install "$installer"
check "the folder holds the zip's files, byte for byte" same_files_as_zip
check "the shipped library is recorded beside the library" same_bytes "$folder/AM/Enzymes.shipped.dat" "$files/AM/Enzymes.dat"
check "the Start menu has the workbench" test -f "$menu_entry"
check "the installed version is $version" test "$(installed_version)" = "$version"
check "the installed workbench's batch prints the sample's table" batch_prints_sample_table
check "the installed Cleavage.exe /? names version $version" \
  bash -c '"$1" "$2" /? 2>/dev/null | tr -d "\r" | grep -qx "cleavage $3"' _ "$WINE32" "$folder/Cleavage.exe" "$version"
check "the uninstaller runs silently" uninstall
check "an unchanged library is removed with the folder" folder_gone
check "the Start menu entry is removed" test ! -e "$menu_entry"
check "the uninstall entry is removed" test -z "$(installed_version)"

echo "== a library the user changed, through reinstall, upgrade and uninstall"
install "$installer"
printf 'a reagent of the user' >>"$library"
cp "$library" "$work/users-library"
check "a reinstall keeps the changed library" install "$installer"
check "    byte for byte" same_bytes "$library" "$work/users-library"
check "an upgrade to $next_version installs" install "$next_installer"
check "    and keeps the changed library byte for byte" same_bytes "$library" "$work/users-library"
check "    and records the new version's library beside it" same_bytes "$folder/AM/Enzymes.shipped.dat" "$work/next/AM/Enzymes.dat"
check "    and is version $next_version" test "$(installed_version)" = "$next_version"
check "the uninstaller runs silently" uninstall
check "the changed library is left, byte for byte" same_bytes "$library" "$work/users-library"
check "    and nothing else" only_library_left
rm -rf "$folder"

echo "== an unchanged library through an upgrade"
install "$installer"
upgrade_replaces_unchanged_library() {
  install "$next_installer" && same_bytes "$library" "$work/next/AM/Enzymes.dat"
}
check "an upgrade replaces an unchanged library with the new version's" upgrade_replaces_unchanged_library
uninstall
check "    and the uninstaller removes it" folder_gone

echo "== the Debian package"
was_installed=$(dpkg-query -W -f='${Status}' cleavage 2>/dev/null | grep -c 'install ok installed' || true)
check "dpkg installs $deb" bash -c "dpkg -i '$deb' >'$work/dpkg.log' 2>&1"
check "cleavage --version says $version" test "$(cleavage --version 2>/dev/null)" = "cleavage $version"
check "cleavage --help shows the usage" bash -c "cleavage --help | grep -q '^usage: cleavage <parameter file>'"
# The example of the parameter file's document, run by the installed engine.
mkdir -p "$work/example"
sed -n '/^## Example/,/^## /s/^    //p' /usr/share/doc/cleavage/ParameterFile.md >"$work/example/params.txt"
example_runs() {
  (cd "$work/example" && cleavage params.txt) && [ "$(wc -l <"$work/example/result.tsv")" -eq 6 ] &&
    head -n1 "$work/example/result.tsv" | grep -q '^start	end	length	missed	probability'
}
check "the installed cleavage runs the document's example: 5 fragments" example_runs
if [ "$was_installed" -eq 0 ]; then dpkg -r cleavage >>"$work/dpkg.log" 2>&1; fi

echo "release checks: $failures failed"
[ "$failures" -eq 0 ]
