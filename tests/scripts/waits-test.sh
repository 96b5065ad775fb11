#!/usr/bin/env bash
# Tests of the scripts' stages and bounded waits (scripts/progress.sh), without Wine: each
# case runs in a subshell with its stderr captured; a failed check names the case.
set -uo pipefail
cd "$(dirname "$0")/../.."
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$scratch"' EXIT
failures=0

# check NAME CONDITION...: CONDITION must hold.
check() {
  local name="$1"
  shift
  if "$@"; then echo "ok:     $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}
# said TEXT...: stderr holds every TEXT.
said() {
  local text
  for text in "$@"; do grep -qF -- "$text" "$scratch/stderr" || return 1; done
}
not_said() { ! said "$1"; }
# in_scripts COMMAND...: runs COMMAND with the helpers, its stderr in $scratch/stderr.
in_scripts() {
  (LOG_DIR="$scratch/logs"; source scripts/progress.sh; LOG_DIR="$scratch/logs"; "$@") 9>"$scratch/stderr" 2>&9
}

# A lock in a folder that does not exist yet is taken at once (this once waited for ever).
in_scripts acquire_lock "$scratch/new/folder/tree.lock" 5
check "a lock in a new folder is taken" [ "$(cat "$scratch/new/folder/tree.lock/pid" 2>/dev/null)" != "" ]

# A lock whose holder lives: the wait names the holder, and fails at its bound.
sleep 60 &
holder=$!
mkdir "$scratch/held.lock" && echo "$holder" >"$scratch/held.lock/pid"
start=$SECONDS
in_scripts acquire_lock "$scratch/held.lock" 4
status=$?
check "a held lock is not taken" [ "$status" -ne 0 ]
check "a held lock's wait ends at its bound" [ $((SECONDS - start)) -ge 4 -a $((SECONDS - start)) -le 6 ]
check "the wait names the lock, its holder and the holder's command" \
  said "waiting for $scratch/held.lock, held by process $holder (sleep 60)"
check "past the bound the wait says it gave up" said "gave up after 4 s waiting for $scratch/held.lock"
check "the holder's lock is left alone" [ "$(cat "$scratch/held.lock/pid")" = "$holder" ]

# A lock whose holder died, or whose maker died before writing its pid, is taken over.
sleep 0 & dead=$!
wait "$dead"
mkdir "$scratch/dead.lock" && echo "$dead" >"$scratch/dead.lock/pid"
in_scripts acquire_lock "$scratch/dead.lock" 2
check "a dead holder's lock is taken over" [ "$(cat "$scratch/dead.lock/pid")" != "$dead" ]
mkdir "$scratch/empty.lock" && touch -d '1 minute ago' "$scratch/empty.lock"
in_scripts acquire_lock "$scratch/empty.lock" 2
check "an old lock without a pid is taken over" [ -s "$scratch/empty.lock/pid" ]

# A command that outlives its bound is ended; one that ends gives its own status.
start=$SECONDS
in_scripts bounded "a sleeper" 2 sleep 60
status=$?
check "a bounded command past its bound fails with 124" [ "$status" -eq 124 -a $((SECONDS - start)) -le 4 ]
check "the bounded wait says what it waits for" said "gave up after 2 s waiting for a sleeper (process"
in_scripts bounded "a quick one" 5 sh -c 'exit 7'
check "a bounded command's own status is kept" [ $? -eq 7 ]

# A condition that says it never will hold ends the wait at once.
never() { return 2; }
start=$SECONDS
in_scripts wait_until "echo never" 30 never
check "a condition above 1 ends the wait" [ $? -eq 2 -a $((SECONDS - start)) -le 1 ]

# A stage: its output goes to its log; a failure shows the log's end, its path and status.
in_scripts stage "making things" things sh -c 'echo to the log; exit 0'
check "a stage says when it starts and ends" said "making things ..." "making things: done in"
check "a stage's output stays out of stderr" not_said "to the log"
check "a stage's output is in its log" grep -q "to the log" "$scratch/logs/things.log"
in_scripts stage "breaking things" broken sh -c 'echo the reason it broke; exit 5'
status=$?
check "a failed stage gives its command's status" [ "$status" -eq 5 ]
check "a failed stage says so, with the end of its output and the log's path" \
  said "breaking things failed (exit status 5)" "    the reason it broke" "$scratch/logs/broken.log"

echo "script checks: $failures failed"
[ "$failures" -eq 0 ]
