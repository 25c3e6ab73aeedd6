#!/usr/bin/env bash
# End to end: a start-up that fails for real. With SDL's "dummy" video
# driver the settings dialog (GTK) still opens on the X display, but no
# OpenGL window can be made. The program must show its usual message boxes
# ("Window Creation Error.", then "OpenGL Initialization Failed.", then the
# teardown's "Could Not Unregister Class."), end with exit code 0, and say
# on standard error, one line per failing call, which call failed and the
# library's own reason. Screenshots land in
# <build-dir>/e2e/desktop_start_failure/.
#
# Usage: tests/e2e/desktop_start_failure.sh <build-dir>
set -uo pipefail

source "$(dirname "$0")/lib/show.sh"
use_build "${1:-}"
need Xvfb xdotool xwininfo import
start_display

# box_then_enter CAPTION SHOT: the message box with that caption shows; a
# screenshot, then Enter answers it.
box_then_enter() {
  local box
  box=$(wait_for titled 10 "$1") || { fail "a message box captioned \"$1\" ($2)"; return 1; }
  pass "a message box captioned \"$1\" ($2)"
  shot "$2"
  press "$box" Return
  sleep 0.5  # the next box may have the same caption
}

echo "$PROGRAM_NAME: DISPLAY=$DISPLAY, SDL_VIDEODRIVER=dummy"
export SDL_VIDEODRIVER=dummy
start_program
settle_dialog 1 0 no windowed-800
box_then_enter ERROR window-creation-error &&
  box_then_enter ERROR opengl-initialization-failed &&
  box_then_enter "SHUTDOWN ERROR" unregister-class
finished 10
expect "the program ends with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
expect "no GL window was made" no_gl_window

said=$(cat "$WORK/program.log")
echo "$said" | sed 's/^/       stderr | /'
create_line=$(grep -c '^SDL_CreateWindow: .\+' <<<"$said")
expect "one line names SDL_CreateWindow and SDL's reason" [ "$create_line" = 1 ]
expect "every line is CALL: REASON" [ -z "$(grep -v '^[A-Za-z_]\+: .\+' <<<"$said")" ]

# The same program with a working driver says nothing on the way to the
# dialog and back out of it.
unset SDL_VIDEODRIVER
start_program
if dialog=$(wait_for find_dialog 15); then
  press "$dialog" Escape
fi
finished 10
expect "a clean start and Exit print nothing (got: $(head -c 200 "$WORK/program.log"))" [ ! -s "$WORK/program.log" ]
verdict
