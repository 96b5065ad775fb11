#!/usr/bin/env bash
# Sourced by the other scripts: stages said on stderr with their times, their output kept
# in a log, and waits that are bounded and say what they wait for. Stdout is left to the
# scripts' own results (run.sh's table).

# Logs go under build/logs of the project, whatever the caller's folder.
CLEAVAGE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LOG_DIR="$CLEAVAGE_ROOT/build/logs"

# A wait says what it waits for after WAIT_FIRST_WORD seconds (a command that a stage runs
# as its work, after WORK_FIRST_WORD: the stage has said what it does), then every
# WAIT_REPEAT seconds.
readonly WAIT_FIRST_WORD=3
readonly WORK_FIRST_WORD=30
readonly WAIT_REPEAT=30

# What the scripts say goes to the stderr the user started them with (fd 9), also from
# inside a stage whose output goes to its log, and from a script that a stage runs.
{ true >&9; } 2>/dev/null || exec 9>&2

say() {
  echo "${0##*/}: $*" >&9
}

# "75 s" or "13 min 44 s".
elapsed_text() {
  local s=$1
  if [ "$s" -lt 60 ]; then echo "$s s"; else echo "$((s / 60)) min $((s % 60)) s"; fi
}

# stage TITLE LOG COMMAND...: says TITLE as it starts and how long it took; the command's
# output goes to build/logs/LOG.log. When it fails, the log's last lines and its path are
# shown, and the command's status returned.
stage() {
  local title="$1" log="$LOG_DIR/$2.log"
  shift 2
  mkdir -p "$LOG_DIR"
  say "$title ..."
  local start=$SECONDS status=0
  "$@" >"$log" 2>&1 </dev/null || status=$?
  if [ "$status" -ne 0 ]; then
    say "$title failed (exit status $status) after $(elapsed_text $((SECONDS - start))); the end of its output:"
    tail -n 40 "$log" | sed 's/^/    /' >&9
    say "the whole output: $log"
    return "$status"
  fi
  say "$title: done in $(elapsed_text $((SECONDS - start)))"
}

# timed_stage TITLE COMMAND...: a stage whose output the user sees as it comes (the
# analysis's own warnings and progress on stderr; its results on stdout).
timed_stage() {
  local title="$1"
  shift
  say "$title ..."
  local start=$SECONDS status=0
  "$@" || status=$?
  say "$title: $([ "$status" -eq 0 ] && echo done || echo "ended with exit status $status") in $(elapsed_text $((SECONDS - start)))"
  return "$status"
}

# wait_until DESCRIBE BOUND CONDITION...: runs CONDITION every 0.1 s until it succeeds
# (status 0), for at most BOUND seconds; a status above 1 means it never will, and ends the
# wait at once. DESCRIBE is a command that prints what is waited for; it is said on stderr
# after a few seconds and again every half minute, and past the bound the wait fails with it.
wait_until() {
  local describe="$1" bound="$2"
  shift 2
  local start=$SECONDS next_word=$((SECONDS + ${FIRST_WORD:-$WAIT_FIRST_WORD})) status
  while true; do
    status=0
    "$@" || status=$?
    [ "$status" -eq 0 ] && return 0
    [ "$status" -gt 1 ] && return "$status"
    if [ $((SECONDS - start)) -ge "$bound" ]; then
      say "gave up after $(elapsed_text "$bound") $($describe)"
      return 1
    fi
    if [ "$SECONDS" -ge "$next_word" ]; then
      say "$($describe)"
      next_word=$((SECONDS + WAIT_REPEAT))
    fi
    sleep 0.1
  done
}

# wait_for_process DESCRIPTION BOUND PID: waits at most BOUND seconds for the child PID to
# end (saying what it waits for after a few) and returns its status; past the bound the
# process is killed and the wait fails with 124.
wait_for_process() {
  WAITED_DESCRIPTION="$1"
  WAITED_PID="$3"
  if ! FIRST_WORD=$WORK_FIRST_WORD wait_until describe_waited_process "$2" waited_process_ended; then
    kill "$WAITED_PID" 2>/dev/null || true
    wait "$WAITED_PID" 2>/dev/null || true
    return 124
  fi
  wait "$WAITED_PID"
}
waited_process_ended() { ! kill -0 "$WAITED_PID" 2>/dev/null; }
describe_waited_process() { echo "waiting for $WAITED_DESCRIPTION (process $WAITED_PID)"; }

# bounded DESCRIPTION BOUND COMMAND...: runs COMMAND for at most BOUND seconds, as
# wait_for_process waits.
bounded() {
  local description="$1" bound="$2"
  shift 2
  "$@" &
  wait_for_process "$description" "$bound" $!
}

# A lock held by one process at a time: a folder made atomically, with the holder's
# process id in it. A holder that died without leaving gives it up, and so does a folder
# left without a process id (its maker died between the two steps). BOUND (seconds, 600
# unless given) is the longest wait for a holder that lives.
acquire_lock() {
  LOCK_PATH="$1"
  mkdir -p "$(dirname "$LOCK_PATH")"
  wait_until describe_lock "${2:-600}" lock_taken || return 1
  echo $$ >"$LOCK_PATH/pid"
}

lock_taken() {
  mkdir "$LOCK_PATH" 2>/dev/null && return 0
  local holder
  holder=$(cat "$LOCK_PATH/pid" 2>/dev/null || true)
  if [ -n "$holder" ]; then
    kill -0 "$holder" 2>/dev/null || rm -rf "$LOCK_PATH"
  else
    local made
    made=$(stat -c %Y "$LOCK_PATH" 2>/dev/null || echo "")
    [ -n "$made" ] && [ $(($(date +%s) - made)) -gt 5 ] && rm -rf "$LOCK_PATH"
  fi
  return 1
}

describe_lock() {
  local holder command
  holder=$(cat "$LOCK_PATH/pid" 2>/dev/null || true)
  if [ -z "$holder" ]; then
    echo "waiting for $LOCK_PATH"
    return
  fi
  command=$(ps -o args= -p "$holder" 2>/dev/null || true)
  echo "waiting for $LOCK_PATH, held by process $holder${command:+ ($command)}"
}

release_lock() {
  rm -rf "$1"
}

# The native engine's program alone, in build/native (the engine benchmarks' stage).
build_native_engine() {
  stage "building the engine in build/native" build-native-engine build_native_engine_program
}
build_native_engine_program() {
  cmake -S "$CLEAVAGE_ROOT/engine" -B "$CLEAVAGE_ROOT/build/native" -G "Unix Makefiles"
  cmake --build "$CLEAVAGE_ROOT/build/native" --target CleavageProgram -j "${BUILD_JOBS:-$(nproc)}"
}

# trypsin_parameters FILE [KEY=VALUE]...: samples/trypsin-90.parameters with each KEY's
# line set to VALUE, written to FILE (the scripts' runs of Trypsin at 90 %).
trypsin_parameters() {
  local file="$1" script="" pair
  shift
  for pair in "$@"; do
    case "$pair" in
      *=*) ;;
      *) echo "trypsin_parameters: '$pair' is not KEY=VALUE" >&2; return 2 ;;
    esac
    case "$pair" in
      *[\|\&\\]*) echo "trypsin_parameters: '$pair': a value may not hold |, & or \\" >&2; return 2 ;;
    esac
    [ "$(grep -c "^${pair%%=*}=" "$CLEAVAGE_ROOT/samples/trypsin-90.parameters")" -eq 1 ] ||
      { echo "trypsin_parameters: the sample has no single line of key '${pair%%=*}'" >&2; return 2; }
    script+="s|^${pair%%=*}=.*|$pair|;"
  done
  sed "$script" "$CLEAVAGE_ROOT/samples/trypsin-90.parameters" >"$file"
}
