#!/usr/bin/env bash
# The test command: on a fresh Debian 12 machine it installs what is needed, builds
# both targets, inspects the 32-bit module, and runs the engine's native tests and every
# test program under Wine and one Xvfb, first on the x86-64 build, then on the shipped
# i686 build (through qemu's emulator where the kernel cannot run 32-bit programs). Its
# last lines say which builds' tests ran, and how.
#
# Arguments go to ctest: `bash scripts/test.sh -R toolkit` runs the toolkit's programs;
# GTEST_FILTER='DialogTest.*' bash scripts/test.sh -R toolkit_window runs some cases.
# CLEAVAGE_I386=emulated runs the i686 tests through the emulator on any kernel.
# Run the tests this way only: ctest started by hand waits for ever on Wine's services.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
source scripts/wine-env.sh

# Where the kernel cannot run 32-bit programs, the whole command runs again under the
# emulator, so that the build's own 32-bit step and the i686 tests both use it.
i686_not_run=""
if [ -z "${CLEAVAGE_I386_EMULATED:-}" ] &&
   { [ "${CLEAVAGE_I386:-}" = emulated ] || ! kernel_runs_i386; }; then
  if install_i386_emulator; then
    exec_status=0
    with_i386_emulation bash scripts/test.sh "$@" || exec_status=$?
    # 3: the namespace or the registration could not be made; anything else is the
    # tests' own result.
    [ "$exec_status" -ne 3 ] && exit "$exec_status"
    i686_not_run="the kernel does not run 32-bit programs, and qemu-i386 could not be registered in a namespace of the test run's own"
  else
    i686_not_run="the kernel does not run 32-bit programs, and qemu-user-static $I386_EMULATOR_MIN_VERSION or later could not be installed"
  fi
fi
i686_how=natively
[ -n "${CLEAVAGE_I386_EMULATED:-}" ] && i686_how="through qemu-i386 emulation"

bash scripts/build.sh
bash scripts/check-module.sh

summary=()
passed=0
failed=0
status=0
# The scripts' own waits and stages, without Wine.
if bash tests/scripts/waits-test.sh; then summary+=("scripts: their waits and stages passed")
else summary+=("scripts: their waits and stages FAILED"); status=1; fi
# The Snakemake workflow, on this machine and through a Slurm cluster of its own.
if bash tests/workflow/workflow-test.sh; then summary+=("workflow: its runs here and through Slurm passed")
else summary+=("workflow: its runs FAILED"); status=1; fi

# Runs ctest on one tree, bounded in time, and adds its counts to the summary.
run_ctest() {
  local name="$1" bound="$2"
  shift 2
  local log status=0
  log=$(mktemp)
  timeout --kill-after=30 "$bound" ctest --no-tests=error --output-on-failure "$@" 2>&1 | tee "$log" ||
    status=1
  local counts
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)
  rm -f "$log"
  if [ -z "$counts" ]; then
    summary+=("$name: did not finish")
    failed=$((failed + 1))
    return 1
  fi
  local f=${counts% *} total=${counts#* }
  passed=$((passed + total - f))
  failed=$((failed + f))
  summary+=("$name: $((total - f)) of $total test programs passed")
  return $status
}

# The engine's tests run natively, without Wine.
run_ctest "engine (native)" 600 --test-dir build/native || status=1

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
# It exits with 2, saying nothing, when a server already runs for the prefix: that one serves.
server_status=0
/usr/lib/wine/wineserver -p || server_status=$?
[ "$server_status" -eq 0 ] || [ "$server_status" -eq 2 ]
"$WINE64" build/x86_64/bin/WineIdle.exe </dev/null >/dev/null 2>&1 &
idle_pid=$!
# The idle program starts in the background; a program run to its end here makes sure
# the services are up before the first test starts, however slow the machine is.
bounded "Wine's services to start" 300 "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1

# A test that hangs must fail the run, not hold it: ctest gives each test 10 minutes,
# and each build's run is bounded too (the emulated one runs about five times slower).
echo "== tests of the x86_64 build"
run_ctest "x86_64 build under 64-bit Wine" 1200 --test-dir build/x86_64 "$@" || status=1
if [ -z "$i686_not_run" ]; then
  echo "== tests of the i686 build, 32-bit Wine $i686_how"
  run_ctest "i686 build under 32-bit Wine $i686_how" 2400 --test-dir build/i686 "$@" || status=1
else
  summary+=("i686 build: NOT RUN: $i686_not_run")
fi

echo "== builds tested"
printf '%s\n' "${summary[@]}"
echo "programs: $passed passed, $failed failed"
exit $status
