#!/usr/bin/env bash
# End to end on sway, headless at 1280x800: first with XWayland (DISPLAY
# and WAYLAND_DISPLAY both set, as sway starts programs: the dialog is a
# Wayland window, the show an X one), then pure Wayland. Each covers the
# dialog (Start typed into it), full screen, the lit, moving, blinking
# scene, F1 to a window and back, and Escape with status 0, and both
# windows' app id or X class. With XWayland the show is started 20 times and
# the check says how many reached the moving scene in full screen: a start
# must never freeze on the loading picture. Pure Wayland: corvane-saver in
# a window of its own, and --root refused with its reason. Screenshots land
# in <build-dir>/e2e/wayland_sway/.
#
# Usage: tests/e2e/wayland_sway.sh <build-dir>
set -uo pipefail
PROGRAM_NAME=wayland_sway
LIB=$(cd "$(dirname "$0")/lib" && pwd)
source "$LIB/show.sh"
source "$LIB/scene.sh"
source "$LIB/wayland.sh"
cleanup_target() { stop_compositor; }
use_build "${1:-}"
need sway swaymsg grim wtype Xwayland xdotool setxkbmap xprop convert compare python3 setpriv
ID=io.github.corvane.Corvane
STARTS=20

# sway's view of the show while it is full screen, or windowed at 1024x768.
full_screen() { local v; v=$(in_tree "$TITLE") && [ "$(cut -d' ' -f2 <<<"$v")" = 1 ] && echo "$v"; }
windowed() { local v; v=$(in_tree "$TITLE") && grep -q '^[a-z_]* 0 1024 768 ' <<<"$v" && echo "$v"; }
moving() { grab "$1-a" && sleep 1 && grab "$1-b" && above "$(difference "$1-a" "$1-b")" 0.2; }

# start_show: the program started and Start typed into its dialog with sound
# off (Tab to the sound box, Space, Enter); false without a dialog.
start_show() {
  [ -z "${DISPLAY:-}" ] || us_keymap
  start_program
  DIALOG=$(wait_for in_tree 20 Corvane) || return 1
  type_keys Tab Tab Tab Tab Tab space Return
}

# scene_checks KEYS: the look of the scene, F1 both ways and Escape, keys
# typed with the given command.
scene_checks() {
  local keys=$1 reds=() i
  for i in $(seq 0 11); do grab "scene-$i"; reds+=("$(red_share "scene-$i")"); sleep 0.2; done
  expect "the room is lit" above "$(brightness scene-11 1280x800+0+0)" 0.08
  expect "the spot light blinks red (red shares ${reds[*]})" [ "$(blinks "${reds[@]}")" -ge 1 ]
  $keys F1
  expect "F1: a window of 1024x768" wait_for windowed 15
  grab f1-window
  expect "and the scene moves there" moving f1-window
  $keys F1
  expect "F1 again: full screen" wait_for full_screen 15
  expect "and the scene moves" moving f1-back
  $keys Escape
  finished 10
  expect "Escape ends the show with status 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
}

echo "sway with XWayland"
start_sway xwayland || { echo "$PROGRAM_NAME: FAIL (sway did not start: $(tail -n 1 "$WORK/compositor.log"))"; exit 1; }
PROGRAM=("${AS_USER[@]}" "$BUILD/bin/corvane")
reached=0
for start in $(seq "$STARTS"); do
  if ! start_show; then
    fail "start $start: the settings dialog opens"
  elif view=$(wait_for full_screen 20) && moving "start-$start"; then
    reached=$((reached + 1))
  else
    echo "       start $start: $(in_tree "$TITLE" || echo 'no window'); processor $(ticks_over 2) ticks in 2 s"
    grab "frozen-$start"
  fi
  if [ "$start" = 1 ]; then
    expect "the dialog is a Wayland window with app id $ID ($DIALOG)" grep -q "^xdg_shell .* $ID\$" <<<"$DIALOG"
    expect "the show is an X window full screen on the output (${view:-none})" grep -q "^xwayland 1 1280 800 $ID\$" <<<"${view:-}"
    gl=$("${AS_USER[@]}" xdotool search --name "^$TITLE\$" | head -n 1)
    expect "its WM_CLASS is $ID" grep -q "\"$ID\", \"$ID\"" <<<"$("${AS_USER[@]}" xprop -id "${gl:-0}" WM_CLASS)"
    scene_checks x_keys
  else
    swaymsg -q "[title=\"^$TITLE\$\"] kill"  # as the window's close button
    finished 10
    [ "$EXIT_CODE" = 0 ] || fail "start $start: closing the window ends the show with status 0 (got $EXIT_CODE)"
  fi
done
echo "  $reached of $STARTS starts reached the moving scene in full screen"
expect "every start reached the moving scene in full screen" [ "$reached" = "$STARTS" ]
stop_compositor

echo "sway, pure Wayland"
RUNTIME=$(mktemp -d) && export XDG_RUNTIME_DIR=$RUNTIME && unset DISPLAY
start_sway pure || { echo "$PROGRAM_NAME: FAIL (sway did not start)"; exit 1; }
if start_show && view=$(wait_for full_screen 20); then
  expect "the show is full screen on the output with app id $ID ($view)" [ "$view" = "xdg_shell 1 1280 800 $ID" ]
  expect "the scene moves" moving pure
  scene_checks type_keys
else
  fail "the show goes full screen ($(in_tree "$TITLE" || echo 'no window'))"
fi
PROGRAM=("${AS_USER[@]}" "$BUILD/bin/corvane-saver")
start_program
expect "corvane-saver shows in a window of its own" wait_for in_tree 10 Corvane >/dev/null
grab saver
kill -TERM "$APP_PID"
finished 5
expect "and ends with 0 on SIGTERM (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
said=$("${AS_USER[@]}" "$BUILD/bin/corvane-saver" --root 2>&1)
status=$?
expect "--root without an X display: status 1 and one line ($said)" \
  test "$status/$(wc -l <<<"$said")/$(grep -c 'needs an X screen saver host' <<<"$said")" = 1/1/1
verdict
