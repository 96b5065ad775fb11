#!/usr/bin/env bash
# The test command: on a fresh Debian 12 machine it installs what is needed, builds
# both targets, inspects the 32-bit module, and runs every test program under Wine and
# one Xvfb, first on the x86-64 build, then on the shipped i686 build.
#
# Arguments go to ctest: `bash scripts/test.sh -R toolkit` runs the toolkit's programs;
# GTEST_FILTER='DialogTest.*' bash scripts/test.sh -R toolkit_window runs some cases.
# Run the tests this way only: ctest started by hand waits for ever on Wine's services.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
bash scripts/check-module.sh

# The engine's tests run natively, without Wine.
ctest --test-dir build/native --output-on-failure

source scripts/wine-env.sh
make_wine_prefix

idle_pid=""
cleanup() {
  [ -n "$idle_pid" ] && kill "$idle_pid" 2>/dev/null || true
  stop_wine_and_xvfb
}
trap cleanup EXIT
start_xvfb

# Wine's background services start with the first Windows program and inherit its
# streams; started here, they stay off ctest's pipe, and ctest need not wait for them.
/usr/lib/wine/wineserver -p
"$WINE64" build/x86_64/bin/WineIdle.exe </dev/null >/dev/null 2>&1 &
idle_pid=$!
# The idle program starts in the background; a program run to its end here makes sure
# the services are up before the first test starts, however slow the machine is.
"$WINE64" cmd /c exit </dev/null >/dev/null 2>&1

# A test that hangs must fail the run, not hold it: ctest gives each test 10 minutes,
# and the whole run is bounded too.
archs=(x86_64)
# 32-bit Wine needs a kernel that runs 32-bit programs; some virtual machines' kernels
# are built without it, and there the shipped build can only be inspected.
if "$WINE32" --version >/dev/null 2>&1; then
  archs+=(i686)
else
  echo "NOTE: this kernel does not run 32-bit programs; the i686 tests are built but not run."
fi
status=0
for arch in "${archs[@]}"; do
  echo "== tests of the $arch build"
  timeout --kill-after=30 1200 ctest --test-dir "build/$arch" --no-tests=error --output-on-failure "$@" || status=1
done
exit $status
