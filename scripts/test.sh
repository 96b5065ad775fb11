#!/usr/bin/env bash
# The test command: on a fresh Debian 12 machine it installs what is needed, builds
# both targets, runs every test under Wine and Xvfb, and inspects the 32-bit module.
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
timeout --kill-after=30 1800 ctest --test-dir build/x86_64 --output-on-failure "$@"
