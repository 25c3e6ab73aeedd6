#!/usr/bin/env bash
# End to end on mutter (GNOME's compositor), headless at 1280x800 with
# XWayland, DISPLAY and WAYLAND_DISPLAY both set as in a GNOME session. The
# settings dialog is a Wayland window, which nothing outside the compositor
# can type into: what the program tells the compositor (WAYLAND_DEBUG) shows
# its title and app id, and its countdown starts the show. The show is an X
# window: full screen at 1024x768, the lit, moving, blinking scene, its X
# class, F1 to a window and back, and Escape with status 0. Screenshots land
# in <build-dir>/e2e/wayland_mutter/.
#
# Usage: tests/e2e/wayland_mutter.sh <build-dir>
set -uo pipefail
PROGRAM_NAME=wayland_mutter
LIB=$(cd "$(dirname "$0")/lib" && pwd)
source "$LIB/show.sh"
source "$LIB/scene.sh"
source "$LIB/desktop.sh"
source "$LIB/wayland.sh"
cleanup_target() { stop_compositor; }
use_build "${1:-}"
need mutter dbus-daemon Xwayland xdotool xprop xwininfo xwd convert compare
ID=io.github.corvane.Corvane

start_mutter || { echo "$PROGRAM_NAME: FAIL (mutter did not start: $(tail -n 1 "$WORK/compositor.log"))"; exit 1; }
echo "$PROGRAM_NAME: WAYLAND_DISPLAY=$WAYLAND_DISPLAY, XWayland on $DISPLAY"
# xwd: ImageMagick's import takes many times as long on XWayland.
grab_window() { timeout 20 xwd -silent -id "$2" | convert xwd:- "$SHOTS/$1.png" 2>/dev/null; }
# The room, lit, past the loading picture (the welcome sound plays 6.7 s).
scene_shows() { grab_window "$1" "$2" && above "$(brightness "$1" 1024x768+0+0)" 0.08 && ! looks_like_loading "$1"; }
moving() { grab_window "$1-a" "$2" && sleep 1.5 && grab_window "$1-b" "$2" && above "$(difference "$1-a" "$1-b")" 0.2; }
windowed() { ! xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
fullscreen() { sized "$1" 1024 768 0 0 && xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
told() { grep -o -m1 "xdg_toplevel@[0-9]*\.$1" "$WORK/program.log"; }

PROGRAM=(env WAYLAND_DEBUG=client "$BUILD/bin/corvane")
start_program
started=$SECONDS
expect "the dialog is a Wayland window titled Corvane" wait_for told 20 'set_title("Corvane")'
expect "with app id $ID" told "set_app_id(\"$ID\")"
if gl=$(wait_for find_gl 45); then
  expect "the dialog's countdown started the show ($((SECONDS - started)) s after the start)" [ $((SECONDS - started)) -ge 25 ]
  expect "full screen at 1024x768" fullscreen "$gl"
  expect "its WM_CLASS is $ID" grep -q "\"$ID\", \"$ID\"" <<<"$(xprop -id "$gl" WM_CLASS)"
  for _ in $(seq 40); do scene_shows scene "$gl" && break; sleep 0.25; done
  expect "the room shows, lit" scene_shows scene "$gl"
  reds=()
  for i in $(seq 0 7); do grab_window "scene-$i" "$gl"; reds+=("$(red_share "scene-$i")"); done
  expect "the spot light blinks red (red shares ${reds[*]})" [ "$(blinks "${reds[@]}")" -ge 1 ]
  expect "the scene moves" moving scene "$gl"
  press "$gl" F1
  if window=$(wait_for other_than 15 "$gl" find_gl); then
    sleep 1
    expect "F1: a window, not full screen ($(geometry "$window"))" windowed "$window"
    expect "the scene moves there" moving f1-window "$window"
    press "$window" F1
    gl=$(wait_for other_than 15 "$window" find_gl)
    expect "F1 again: full screen at 1024x768" fullscreen "${gl:-0}"
    for _ in $(seq 40); do scene_shows f1-back "$gl" && break; sleep 0.25; done
    expect "and the scene moves" moving f1-back "$gl"
  else
    fail "F1: a window"
  fi
  press "$gl" Escape
  finished 10
  expect "Escape ends the show with status 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
else
  fail "the countdown starts the show ($(tail -n 3 "$WORK/program.log" | cut -c1-200))"
fi
verdict
