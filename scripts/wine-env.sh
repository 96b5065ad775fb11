#!/usr/bin/env bash
# Sourced by the other scripts: one 64-bit Wine prefix for the project, made once
# and kept, with the settings the tests rely on.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-cleavage}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE64=/usr/lib/wine/wine64

wine_prefix_ready() {
  [ -f "$WINEPREFIX/.cleavage-ready" ]
}

make_wine_prefix() {
  wine_prefix_ready && return 0
  echo "Making the Wine prefix $WINEPREFIX"
  DISPLAY= "$WINE64" wineboot -i >/dev/null 2>&1
  # Without a window manager, Wine waits about 2 s for every captioned top-level
  # window to close unless its windows are unmanaged.
  DISPLAY= "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Dialog units depend on "MS Sans Serif": link Debian's Wine fonts into the prefix.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    ln -sf "$f" "$fonts/$(basename "$f")"
  done
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.cleavage-ready"
}
