#!/usr/bin/env bash
# End to end on Windows: corvane.exe (32- or 64-bit) under Wine in its own Xvfb
# at 1024x768x24, driven with xdotool as a person would; the same checks as
# dialog_linux.sh (see there). The Wine prefix lives in the build directory
# (lib/wine.sh) and is made on first use. Screenshots land in
# <build-dir>/e2e/dialog_wine/.
#
# Usage: tests/e2e/dialog_wine.sh <windows-build-dir>
set -uo pipefail

BUILD=$(cd "${1:?usage: dialog_wine.sh <windows-build-dir>}" && pwd)
PROGRAM=$BUILD/bin/corvane.exe
PROGRAM_NAME=dialog_wine
SHOTS=$BUILD/e2e/dialog_wine
source "$(dirname "$0")/lib/wine.sh"
wine_env "$BUILD" || exit 1

for tool in Xvfb xdotool xwininfo import convert md5sum gocr "$WINE" "$WINESERVER"; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: FAIL (missing $tool)"; exit 1; }
done
[ -f "$PROGRAM" ] || { echo "$PROGRAM_NAME: FAIL (no $PROGRAM)"; exit 1; }

source "$(dirname "$0")/lib/dialog.sh"

# Ends whatever still runs in this script's own Wine prefix.
cleanup_target() { wine_stop; }

launch() {
  (cd "$WORK" && exec "$WINE" "$PROGRAM") >>"$WORK/program.log" 2>&1 &
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

find_about() { titled "About Corvane"; }
find_gl() { titled DECK_NINE_by_Quillmark; }

start_display
# A new prefix is set up before the first run, so that its start-up time
# does not count against the program.
wine_prefix || exit 1
wine_ready || { echo "$PROGRAM_NAME: FAIL (Wine does not start)"; exit 1; }
run_dialog_checks
