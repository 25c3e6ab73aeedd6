# Running a Windows build under Wine, for either architecture.
#
# Sourced, not run. Debian 12 has no `wine64` command: its /usr/bin/wine
# picks the 32-bit loader whenever wine32 is installed, even for a 64-bit
# program. So the loader and the server are chosen here from the build's own
# executable, and each build directory keeps a Wine prefix of its own (a
# prefix belongs to one architecture).
#
#   pe_arch FILE        the architecture of a Windows executable: win32 or
#                       win64 (Wine's own names), or fails
#   wine_env BUILD      exports WINE (the loader), WINESERVER, WINEPREFIX,
#                       WINEARCH for BUILD/bin/corvane.exe's architecture
#   wine_prefix         makes the prefix if it is new (minutes, once)
#   wine_ready          fails within 30 s, saying why, when Wine cannot start
#                       a program here (no server, no display)
#   wine_stop           ends the prefix's server and everything it runs
#   can_run_32bit       true when this machine executes 32-bit programs

WINE_LIBDIR=/usr/lib/wine

# The architecture of a Windows executable, read from the machine field of
# its PE header and named the one way every script uses: win32 (i386, 0x14c)
# or win64 (x86-64, 0x8664). The field is read as a decimal number, so how od
# pads hex digits does not matter.
pe_arch() {
  local offset machine
  [ "$(head -c 2 "$1" 2>/dev/null)" = MZ ] || return 1
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] && [ "$(od -An -c -j"$offset" -N4 "$1" | tr -d ' ')" = 'PE\0\0' ] || return 1
  machine=$(od -An -tu2 -j$((offset + 4)) -N2 "$1" | tr -d ' ')
  case $machine in
    332) echo win32 ;;
    34404) echo win64 ;;
    *) return 1 ;;
  esac
}

# The loader and the server Wine runs a program of this architecture with.
wine_loader() { case $1 in win32) echo "$WINE_LIBDIR/wine" ;; win64) echo "$WINE_LIBDIR/wine64" ;; *) return 1 ;; esac; }
wine_server() { case $1 in win32) echo "$WINE_LIBDIR/wineserver32" ;; win64) echo "$WINE_LIBDIR/wineserver64" ;; *) return 1 ;; esac; }

wine_env() {
  local build arch
  build=$(cd "$1" 2>/dev/null && pwd) || { echo "wine: no directory $1" >&2; return 1; }
  [ -f "$build/bin/corvane.exe" ] || { echo "wine: no Windows build in $build" >&2; return 1; }
  arch=$(pe_arch "$build/bin/corvane.exe") || { echo "wine: $build/bin/corvane.exe is not a Windows program of a known architecture" >&2; return 1; }
  WINE=$(wine_loader "$arch") WINESERVER=$(wine_server "$arch")
  export WINE WINESERVER WINEARCH=$arch
  export WINEPREFIX=$build/wineprefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
}

# Executes the 32-bit Wine server itself: a wrapper could fall back to 64 bits.
can_run_32bit() {
  "$WINE_LIBDIR/wineserver32" --version >/dev/null 2>&1
}

wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
  timeout 120 "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: could not make the prefix $WINEPREFIX" >&2; return 1; }
}

wine_ready() {
  local out
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: no prefix at $WINEPREFIX (make it first)"; return 1; }
  if [ -n "${DISPLAY:-}" ] && ! timeout 10 xdpyinfo >/dev/null 2>&1; then
    echo "wine: the display $DISPLAY does not answer"
    return 1
  fi
  out=$(timeout 30 "$WINE" cmd /c echo wine-ready 2>&1)
  case $out in
    *wine-ready*) return 0 ;;
    *) echo "wine: $WINE cannot start a program here: $(echo "$out" | tail -n 3)"; return 1 ;;
  esac
}

wine_stop() {
  [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k 2>/dev/null
  return 0
}
