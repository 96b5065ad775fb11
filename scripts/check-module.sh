#!/usr/bin/env bash
# Inspects the shipped 32-bit module, which cannot run here: it must be a PE32 DLL that
# exports GetPlugIn undecorated and the CCleavageData entry points, that takes its C++
# runtime from the shared DLLs shipped beside it, and that carries a version resource.
set -euo pipefail
cd "$(dirname "$0")/.."

module=build/i686/bin/CleavagePlugin.tsplugin
dump=$(mktemp)
trap 'rm -f "$dump"' EXIT
i686-w64-mingw32-objdump -p "$module" >"$dump"

failures=0
check() {
  local what=$1 pattern=$2
  if grep -qE "$pattern" "$dump"; then
    echo "ok:     $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

check "PE32 (i386) image"                 '^Magic[[:space:]]+010b'
check "a DLL"                             'Characteristics.*DLL|^[[:space:]]+DLL$'
check "GetPlugIn exported undecorated"    '\][[:space:]]+GetPlugIn$'
check "CCleavageData constructor"         '\][[:space:]]+_ZN13CCleavageDataC[12]Ev$'
check "CCleavageData destructor"          '\][[:space:]]+_ZN13CCleavageDataD[12]Ev$'
check "CCleavageData virtual table"       '\][[:space:]]+_ZTV13CCleavageData$'
check "CCleavageData::Clone"              '\][[:space:]]+_ZNK13CCleavageData5CloneEv$'
check "CCleavageData::UpdateData"         '\][[:space:]]+_ZN13CCleavageData10UpdateDataEb$'
check "shared libgcc (DWARF unwinder)"    'DLL Name: libgcc_s_dw2-1\.dll'
check "shared libstdc++"                  'DLL Name: libstdc\+\+-6\.dll'
# A resource type entry (the first level of the resource tree) of type 16, RT_VERSION.
check "a version resource (VERSIONINFO)"  '^[0-9a-f]+   Entry: ID: 0x000010, '

for dll in libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll; do
  if [ -f "build/i686/bin/$dll" ]; then echo "ok:     $dll shipped beside the module"
  else echo "FAILED: $dll shipped beside the module"; failures=$((failures + 1)); fi
done

if [ "$failures" -ne 0 ]; then
  echo "i686 module check: $failures failed"
  exit 1
fi
echo "i686 module check: all passed"
