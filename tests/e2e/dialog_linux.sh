#!/usr/bin/env bash
# End to end on Linux: the settings dialog under its own Xvfb at
# 1024x768x24, driven with xdotool as a person would. Checks that it opens
# centred with every control drawn, that its countdown counts down once a
# second and starts the show full screen at 1024x768 29 s after opening,
# that About opens "About Corvane" while the countdown goes on and changes
# no choice, that a settings file does not change what Start gives, that
# 320x200 / 8 / unticked boxes start a 320x200 window, and that Exit, Escape
# and Alt+F4 end the program with exit code 0 and no GL window.
# Screenshots land in <build-dir>/e2e/dialog_linux/.
#
# Usage: tests/e2e/dialog_linux.sh <build-dir>
set -uo pipefail

BUILD=$(cd "${1:?usage: dialog_linux.sh <build-dir>}" && pwd)
PROGRAM=$BUILD/bin/corvane
PROGRAM_NAME=dialog_linux
SHOTS=$BUILD/e2e/dialog_linux
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

for tool in Xvfb xdotool xwininfo import convert md5sum gocr; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: FAIL (missing $tool)"; exit 1; }
done
[ -x "$PROGRAM" ] || { echo "$PROGRAM_NAME: FAIL (no $PROGRAM)"; exit 1; }

source "$(dirname "$0")/lib/dialog.sh"

launch() {
  (cd "$WORK" && exec "$PROGRAM") >>"$WORK/program.log" 2>&1 &
  APP_PID=$!
}

find_dialog() { titled Corvane; }
find_about() { titled "About Corvane"; }
find_gl() { titled DECK_NINE_by_Quillmark; }

run_dialog_checks
