#!/usr/bin/env bash
# Sourced by the other scripts: one 64-bit Wine prefix for the project, made once
# and kept, with the settings the tests rely on. It runs 64-bit programs with wine64 and
# the shipped 32-bit ones with wine.
source "$(dirname "${BASH_SOURCE[0]}")/progress.sh"

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-cleavage}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine

# The shipped i686 build runs under 32-bit Wine, which needs a kernel that runs 32-bit
# programs; some virtual machines' kernels are built without that. There the tests run
# through qemu's user-mode emulator (scripts/with-i386-emulation.sh). Debian 12's qemu 7.2
# cannot run Wine: it does not honour MAP_FIXED_NOREPLACE, with which Wine reserves its
# address space, and Wine's start-up had not ended after ten minutes. qemu 10, from
# bookworm-backports, starts it in seconds.
readonly I386_EMULATOR_MIN_VERSION=10

# True when 32-bit programs run here as they are, without the emulator.
kernel_runs_i386() {
  [ -z "${CLEAVAGE_I386_EMULATED:-}" ] && "$WINE32" --version >/dev/null 2>&1
}

install_i386_emulator() {
  local version
  version=$(qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
  [ -n "$version" ] && [ "$version" -ge "$I386_EMULATOR_MIN_VERSION" ] && return 0
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  local sources=/etc/apt/sources.list.d/bookworm-backports.sources
  if [ ! -f "$sources" ]; then
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      $sudo_cmd tee "$sources" >/dev/null
  fi
  $sudo_cmd apt-get update >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends \
    -t bookworm-backports qemu-user-static >/dev/null
}

# Runs a command with 32-bit programs handed to the emulator, in a namespace of its own.
with_i386_emulation() {
  CLEAVAGE_I386_EMULATED=1 unshare --user --map-root-user --mount \
    bash scripts/with-i386-emulation.sh "$@"
}

# For a script that must run 32-bit programs: where the kernel cannot, the script (SCRIPT
# ARGUMENTS...) runs again under the emulator and the caller exits with its status; where it
# can, or already under the emulator, this returns at once.
run_with_i386_programs() {
  [ -n "${CLEAVAGE_I386_EMULATED:-}" ] && return 0
  [ "${CLEAVAGE_I386:-}" != emulated ] && kernel_runs_i386 && return 0
  if ! install_i386_emulator; then
    say "the kernel does not run 32-bit programs, and qemu-user-static $I386_EMULATOR_MIN_VERSION or later could not be installed"
    exit 1
  fi
  local status=0
  with_i386_emulation bash "$@" || status=$?
  [ "$status" -eq 3 ] && say "the kernel does not run 32-bit programs, and qemu-i386 could not be registered in a namespace of this run's own"
  exit "$status"
}

# The marker names what the prefix was made with: a prefix made before 32-bit Wine was
# installed has no 32-bit system files, and is made again.
readonly PREFIX_MARKER=.cleavage-ready-wow64

wine_prefix_ready() {
  [ -f "$WINEPREFIX/$PREFIX_MARKER" ]
}

# Bounds of the waits for Wine, in seconds: a new prefix takes about a minute (several
# under the emulator); a server ends within seconds of its last program.
readonly WINE_PREFIX_BOUND=900
readonly WINE_SERVER_END_BOUND=120

make_wine_prefix() {
  wine_prefix_ready && return 0
  stage "making the Wine prefix $WINEPREFIX (first run only, about a minute)" wine-prefix create_wine_prefix
}

create_wine_prefix() {
  # A prefix of ours made without 32-bit support (its older marker) is made anew.
  if [ -f "$WINEPREFIX/.cleavage-ready" ]; then rm -rf "$WINEPREFIX"; fi
  DISPLAY= bounded "wineboot to make the Wine prefix $WINEPREFIX" "$WINE_PREFIX_BOUND" "$WINE64" wineboot -i
  # Without a window manager, Wine waits about 2 s for every captioned top-level
  # window to close unless its windows are unmanaged.
  DISPLAY= "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Dialog units depend on "MS Sans Serif": link Debian's Wine fonts into the prefix.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    ln -sf "$f" "$fonts/$(basename "$f")"
  done
  wait_for_wine_server
  touch "$WINEPREFIX/$PREFIX_MARKER"
}

# Waits for the prefix's Wine server to end, once its last program has.
wait_for_wine_server() {
  bounded "the Wine server of $WINEPREFIX to end" "$WINE_SERVER_END_BOUND" /usr/lib/wine/wineserver -w
}

# Starts one Xvfb on a display number it picks itself and exports DISPLAY; XVFB_PID is
# its process.
start_xvfb() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 9>&- &
  XVFB_PID=$!
  XVFB_DISPLAY_FILE=$display_file
  if ! wait_until describe_xvfb 20 xvfb_started; then
    rm -f "$display_file"
    kill "$XVFB_PID" 2>/dev/null || true
    return 1
  fi
  export DISPLAY=":$(head -n1 "$display_file")"
  rm -f "$display_file"
}
xvfb_started() {
  [ -s "$XVFB_DISPLAY_FILE" ] && return 0
  # An Xvfb that ended will never say its display.
  kill -0 "$XVFB_PID" 2>/dev/null || { say "Xvfb (process $XVFB_PID) ended without starting"; return 2; }
  return 1
}
describe_xvfb() { echo "waiting for Xvfb (process $XVFB_PID) to open its display"; }

# Ends what start_xvfb and the Wine programs left running.
stop_wine_and_xvfb() {
  # -k only signals the server; wait for it to end, so that a run started right after
  # this one does not meet a server that is still going.
  /usr/lib/wine/wineserver -k 2>/dev/null && wait_for_wine_server 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Points TESSARO_MAINDIR at a new empty folder, SCRATCH_DIR (the caller removes it).
use_scratch_installation() {
  SCRATCH_DIR=$(mktemp -d)
  export TESSARO_MAINDIR
  TESSARO_MAINDIR="$("$WINE64" winepath -w "$SCRATCH_DIR" 2>/dev/null | tr -d '\r')"
}

# The by-hand tools share one prefix, its Wine server and one Xvfb per screen size. Each
# run registers itself in TOOL_RUNS while it works; the last to leave ends the server and
# the Xvfbs, so two runs at once never end each other's Wine.
readonly TOOL_PREFIX="$HOME/.wine-cleavage-tools"
readonly TOOL_LOCK="$TOOL_PREFIX.lock"
readonly TOOL_RUNS="$TOOL_PREFIX.runs"

# Runs registered whose process has ended are forgotten.
forget_ended_tool_runs() {
  local run
  for run in "$TOOL_RUNS"/run-*; do
    [ -e "$run" ] || continue
    kill -0 "${run##*/run-}" 2>/dev/null || rm -f "$run"
  done
}

# Joins the tools' session: the shared prefix (made if needed), an Xvfb of the screen
# size SCREEN (started unless a run already has one) as DISPLAY, and the run registered;
# leave_tool_session undoes it.
join_tool_session() {
  local screen="$1"
  export WINEPREFIX="$TOOL_PREFIX"
  acquire_lock "$TOOL_LOCK"
  make_wine_prefix
  mkdir -p "$TOOL_RUNS"
  forget_ended_tool_runs
  local record="$TOOL_RUNS/xvfb-$screen" pid display
  if [ -f "$record" ] && read -r pid display <"$record" && kill -0 "$pid" 2>/dev/null; then
    export DISPLAY="$display"
  else
    start_xvfb "$screen" || { release_lock "$TOOL_LOCK"; return 1; }
    echo "$XVFB_PID $DISPLAY" >"$record"
  fi
  touch "$TOOL_RUNS/run-$$"
  release_lock "$TOOL_LOCK"
}

leave_tool_session() {
  acquire_lock "$TOOL_LOCK"
  rm -f "$TOOL_RUNS/run-$$"
  forget_ended_tool_runs
  if ! compgen -G "$TOOL_RUNS/run-*" >/dev/null; then
    WINEPREFIX="$TOOL_PREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    local record pid display
    for record in "$TOOL_RUNS"/xvfb-*; do
      [ -e "$record" ] || continue
      read -r pid display <"$record" && kill "$pid" 2>/dev/null || true
      rm -f "$record"
    done
  fi
  release_lock "$TOOL_LOCK"
}

# For the by-hand tools: a built tree, the tools' session (a prefix of their own, so that
# ending their Wine never ends the server of a test run going on) and a scratch
# installation, left or removed when the calling script exits. Arguments: packages to
# install. TOOL_SCREEN sets the screen's size (1024x768 unless set).
begin_tool_session() {
  bash scripts/install-deps.sh "$@"
  bash scripts/build.sh
  trap 'leave_tool_session; rm -rf "${SCRATCH_DIR:-}"' EXIT
  join_tool_session "${TOOL_SCREEN:-1024x768}x24"
  use_scratch_installation
}

# Gives the scratch installation the shipped reagent library of the x86-64 build.
use_shipped_library() {
  mkdir -p "$SCRATCH_DIR/AM"
  cp build/x86_64/bin/AM/Enzymes.dat "$SCRATCH_DIR/AM/"
}

# After SECONDS, saves the part WxH+X+Y of the Xvfb screen to FILE and names it.
take_screenshot() {
  say "taking the picture $3 in $1 s"
  sleep "$1"
  import -window root -crop "$2" +repage "$3"
  echo "$3"
}

# Waits for a preview program started in the background to end by itself after its shown
# seconds; one that hangs is ended after BOUND seconds (60 unless given) and fails the script.
wait_for_preview() {
  wait_for_process "the preview program to end" "${2:-60}" "$1"
}
