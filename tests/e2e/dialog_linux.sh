#!/usr/bin/env bash
# End to end on Linux: the settings dialog under its own Xvfb at
# 1024x768x24, driven with xdotool as a person would. Checks that it opens
# centred with every control drawn, that its countdown counts down once a
# second and starts the show full screen at 1024x768 29 s after opening,
# that About opens "About Corvane" while the countdown goes on and changes
# no choice, that a settings file does not change what Start gives, that
# 320x200 / 8 / unticked boxes start a 320x200 window, and that Exit, Escape
# and Alt+F4 end the program with exit code 0 and no GL window
# (lib/dialog.sh). Screenshots land in <build-dir>/e2e/dialog_linux/.
#
# Usage: tests/e2e/dialog_linux.sh <build-dir>
set -uo pipefail
PROGRAM_NAME=dialog_linux
source "$(dirname "$0")/lib/dialog.sh"
run_dialog_checks "$@"
