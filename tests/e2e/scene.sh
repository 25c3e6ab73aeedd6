#!/usr/bin/env bash
# The show end to end, from a Linux build or a Windows build (32- or 64-bit)
# under Wine, under Xvfb, started as a person would: Start in the dialog, the
# loading picture, the scene with its blinking red spot light and moving
# camera, F1 to the other mode with the scene loaded again, Escape to quit
# (lib/scene.sh). Screenshots land in <build-dir>/e2e/scene/.
#
# Usage: tests/e2e/scene.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/scene.sh"
use_build "${1:-}"
need Xvfb xdotool xwininfo import convert compare
start_display
target_ready
start_program
dialog=$(wait_for find_dialog 60) || abort "no settings dialog"
pass "the settings dialog opens"
sleep 1
xdotool key --window "$dialog" Return
gl=$(wait_for find_gl 30) || abort "Start opens no GL window"
pass "Start opens the GL window"

# Watched from the start, since without a sound device the loading picture
# stays only as long as the loading itself.
expect "the loading picture shows" wait_for_loading 01-loading "$gl" 10
# The welcome sound lasts 6.67 s; the scene follows, lit, moving, blinking.
check_scene scene

# F1 rebuilds the window in the other mode and the scene starts again with
# its loading picture.
press "$gl" F1
if gl=$(wait_for other_than 20 "$gl" find_gl); then
  pass "F1 rebuilds the window"
  expect "after F1 the scene loads again from the start" wait_for_loading loading-after-f1 "$gl" 10
  expect "and shows the room again" wait_for_scene after-f1 "$gl" 20
  press "$gl" Escape
  finished 20
  expect "Escape ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
else
  fail "F1 rebuilds the window"
fi
verdict
