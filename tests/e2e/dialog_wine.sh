#!/usr/bin/env bash
# End to end on Windows: the 32-bit corvane.exe under Wine in its own Xvfb
# at 1024x768x24, driven with xdotool as a person would; the same checks as
# dialog_linux.sh (see there). The Wine prefix lives in the build directory
# (<build-dir>/e2e/wineprefix) and is made on first use. Screenshots land in
# <build-dir>/e2e/dialog_wine/.
#
# Usage: tests/e2e/dialog_wine.sh <win32-build-dir>
set -uo pipefail

BUILD=$(cd "${1:?usage: dialog_wine.sh <win32-build-dir>}" && pwd)
PROGRAM=$BUILD/bin/corvane.exe
PROGRAM_NAME=dialog_wine
SHOTS=$BUILD/e2e/dialog_wine
export WINEPREFIX=$BUILD/e2e/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

for tool in Xvfb xdotool xwininfo import convert md5sum gocr wine wineserver; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: FAIL (missing $tool)"; exit 1; }
done
[ -f "$PROGRAM" ] || { echo "$PROGRAM_NAME: FAIL (no $PROGRAM)"; exit 1; }
mkdir -p "$WINEPREFIX"

source "$(dirname "$0")/lib/dialog.sh"

# Ends whatever still runs in this script's own Wine prefix.
cleanup_target() { wineserver -k 2>/dev/null; }

launch() {
  (cd "$WORK" && exec wine "$PROGRAM") >>"$WORK/program.log" 2>&1 &
  APP_PID=$!
}

# Wine names its X windows after the Win32 window's text; the dialog has
# none, so it is the visible untitled window of the program, bigger than a
# drop-down list's.
find_dialog() {
  local id
  for id in $(xdotool search --onlyvisible --classname '^corvane\.exe$' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] || continue
    read -r w h _ _ < <(geometry "$id")
    [ "${w:-0}" -ge 150 -a "${h:-0}" -ge 100 ] && { echo "$id"; return 0; }
  done
  return 1
}

find_about() { visible "About Corvane"; }
find_gl() { visible DECK_NINE_by_Quillmark; }

start_display
# A new prefix is set up before the first run, so that its start-up time
# does not count against the program.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "$PROGRAM_NAME: making the Wine prefix"
  timeout 300 wineboot -i >/dev/null 2>&1
  timeout 120 wineserver -w
fi
run_dialog_checks
