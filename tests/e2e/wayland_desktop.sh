#!/usr/bin/env bash
# End to end on a Wayland compositor run headless with XWayland. With DISPLAY
# and WAYLAND_DISPLAY both set, as desktops start programs, the dialog is a
# Wayland window and the show an X one. Checked: both windows' app id or X
# class, full screen, the lit, moving, blinking scene, F1 to a window and
# back, Escape with status 0. sway (1280x800), one session: Start typed into
# the dialog; 20 starts, and how many reached the moving scene in full
# screen; then without DISPLAY the show as a Wayland window (SDL scales its
# mode to the output), corvane-saver in a window, --root refused. mutter
# (1280x1024): its Wayland windows take no keys from outside, so the dialog's
# countdown starts the show, with sound. Screenshots: <build-dir>/e2e/wayland_*/.
#
# Usage: tests/e2e/wayland_desktop.sh <build-dir> sway|mutter
set -uo pipefail
COMPOSITOR=${2:-}
PROGRAM_NAME=wayland_$COMPOSITOR
LIB=$(cd "$(dirname "$0")/lib" && pwd)
source "$LIB/show.sh"
source "$LIB/scene.sh"
COMPOSITOR_PID='' KEYBOARD_PID='' XWAYLAND_PID='' BUS_PID='' AS_USER=()
RUNTIME=$(mktemp -d)
chmod 700 "$RUNTIME"
cleanup_target() { kill $KEYBOARD_PID $COMPOSITOR_PID $XWAYLAND_PID $BUS_PID 2>/dev/null; rm -rf "$RUNTIME"; }
[[ "$COMPOSITOR" == @(sway|mutter) ]] || { echo "usage: $0 <build-dir> sway|mutter"; exit 2; }
use_build "${1:-}"
need "$COMPOSITOR" Xwayland dbus-daemon xdotool xprop xwininfo xwd convert compare
ID=io.github.corvane.Corvane
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY
export XDG_RUNTIME_DIR=$RUNTIME NO_AT_BRIDGE=1  # GTK starts no accessibility bus
seen() { "$@" >/dev/null; }

# A session bus, as desktops have: without one, D-Bus clients start their
# own for every program, which takes seconds.
session_bus() {  # session_bus [AS_USER...]
  "$@" dbus-daemon --session --nofork --print-address=3 3>"$RUNTIME/bus" >/dev/null 2>&1 &
  BUS_PID=$!
  DBUS_SESSION_BUS_ADDRESS=$(wait_for head 10 -n 1 "$RUNTIME/bus") && export DBUS_SESSION_BUS_ADDRESS
}

# moving NAME WHERE: grabs (grab NAME WHERE) show the lit room past the
# loading picture, and a later one differs.
room() { grab "$1" "$2" && above "$(brightness "$1" 1024x768+0+0)" 0.08 && ! looks_like_loading "$1"; }
moving() {
  local deadline=$((SECONDS + 40))
  until room "$1-a" "$2"; do [ $SECONDS -lt "$deadline" ] || return 1; done
  until room "$1-b" "$2" && above "$(difference "$1-a" "$1-b")" 0.2; do [ $SECONDS -lt "$deadline" ] || return 1; done
}
# scene_checks VIEW: the show from VIEW on (the compositor's finders
# full_screen and windowed give views; where turns one into a grab's WHERE).
scene_checks() {
  local reds=() i=0 at=$1 deadline
  expect "the lit room moves" moving scene "$(where "$at")"
  # The camera may look away from the panel for a while: a loaded machine
  # is given most of a minute to show the light go red and back.
  deadline=$((SECONDS + 45))
  while [ $SECONDS -lt $deadline ] && [ "$(blinks "${reds[@]}")" -lt 2 ]; do
    grab "red-$i" "$(where "$at")" && reds+=("$(red_share "red-$i")")
    i=$((i + 1))
    sleep 0.25
  done
  expect "the spot light blinks red (red shares ${reds[*]})" [ "$(blinks "${reds[@]}")" -ge 2 ]
  for want in windowed full_screen; do
    keys F1
    if at=$(wait_for fresh 15 "$at" $want); then pass "F1: $want ($at)"; else fail "F1: $want"; fi
    expect "and it stays so" stays "$at" $want
    expect "and the lit room moves there" moving "f1-$want" "$(where "$at")"
  done
  keys Escape
  finished 10
  expect "Escape ends the show with status 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
}
# fresh OLD FINDER: the finder's view when it is not of OLD's window.
fresh() { local v; v=$($2) && [ "${v%% *}" != "${1%% *}" ] && echo "$v"; }
# stays VIEW FINDER: two seconds on, the finder still sees VIEW's window (a
# tapped F1 whose release went astray once made it rebuild without end).
stays() { local v; sleep 2 && v=$($2) && [ "${v%% *}" = "${1%% *}" ]; }

if [ "$COMPOSITOR" = mutter ]; then
  session_bus || exit 1
  mutter --headless --wayland --wayland-display=wayland-mutter --virtual-monitor 1280x1024 >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  DISPLAY=$(wait_for sed 20 -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p;T;q' "$WORK/compositor.log") ||
    { echo "$PROGRAM_NAME: FAIL (mutter did not start: $(tail -n 1 "$WORK/compositor.log"))"; exit 1; }
  export DISPLAY WAYLAND_DISPLAY=wayland-mutter XAUTHORITY=$(ls "$RUNTIME"/.mutter-Xwaylandauth.* | head -n 1)
  XWAYLAND_PID=$(wait_for pgrep 20 -n -f "Xwayland $DISPLAY ")
  # The window's own picture (import takes many times as long on XWayland).
  grab() { timeout 20 xwd -silent -id "$2" | convert xwd:- "$SHOTS/$1.png" 2>/dev/null; }
  windowed() { local w; w=$(find_gl) && ! xprop -id "$w" _NET_WM_STATE | grep -q FULLSCREEN && echo "$w"; }
  full_screen() { local w; w=$(find_gl) && [[ "$(geometry "$w")" == "1024 768 0 0" ]] && ! seen windowed && echo "$w"; }
  where() { echo "$1"; }
  keys() { press "$(find_gl)" "$@"; }
  told() { grep -o -m1 "xdg_toplevel@[0-9]*\.$1" "$WORK/program.log"; }
  PROGRAM=(env WAYLAND_DEBUG=client "$BUILD/bin/corvane")
  start_program
  expect "the dialog is a Wayland window titled Corvane" seen wait_for told 20 'set_title("Corvane")'
  expect "with app id $ID" seen told "set_app_id(\"$ID\")"
  if gl=$(wait_for full_screen 45); then
    expect "the dialog's countdown started the show, full screen at 1024x768 ($SECONDS s into the run)" [ "$SECONDS" -ge 25 ]
    expect "its WM_CLASS is $ID" grep -q "\"$ID\", \"$ID\"" <<<"$(xprop -id "$gl" WM_CLASS)"
    scene_checks "$gl"
  else
    fail "the countdown starts the show, full screen ($(tail -n 3 "$WORK/program.log" | cut -c1-200))"
  fi
  verdict && exit 0
fi

[ "$(id -u)" = 0 ] && AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
[ ${#AS_USER[@]} = 0 ] || { chown nobody "$RUNTIME" && chmod 755 "$WORK"; }
need swaymsg grim wtype setxkbmap python3 setpriv
# The show floats, so that it keeps the size it asks for: tiled, F1 back
# would ask for the tile's size as its full-screen mode.
printf 'output HEADLESS-1 resolution 1280x800\nxwayland force\nfor_window [title="^%s$"] floating enable\n' \
  "$TITLE" >"$RUNTIME/config"
env -i PATH="$PATH" HOME="$RUNTIME" XDG_RUNTIME_DIR="$RUNTIME" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman "${AS_USER[@]}" sway -c "$RUNTIME/config" >"$WORK/compositor.log" 2>&1 &
COMPOSITOR_PID=$!
sway_socket() { ls "$RUNTIME"/sway-ipc.*.sock 2>/dev/null; }
SWAYSOCK=$(wait_for sway_socket 10) && export SWAYSOCK WAYLAND_DISPLAY=wayland-1 && session_bus "${AS_USER[@]}" ||
  { echo "$PROGRAM_NAME: FAIL (sway did not start: $(tail -n 1 "$WORK/compositor.log"))"; exit 1; }
# A headless seat has no keyboard: one stays plugged in, as on a desk.
wtype -s 3600000 & KEYBOARD_PID=$!
swaymsg -q exec "echo \$DISPLAY >$RUNTIME/display"
DISPLAY=$(wait_for grep 20 -s : "$RUNTIME/display") && export DISPLAY && XWAYLAND_PID=$(wait_for pgrep 20 -n -f "Xwayland $DISPLAY ")

# A window's view: "ID SHELL FULLSCREEN X,Y WxH APP_ID-OR-CLASS" (its client area).
in_tree() {
  swaymsg -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(n):
    yield n
    for child in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(child)
for n in walk(json.load(sys.stdin)):
    if n.get("name") == sys.argv[1] and n.get("pid"):
        o, i = n["rect"], n["window_rect"]
        print(n["id"], n["shell"], n["fullscreen_mode"], "%d,%d %dx%d" % (o["x"] + i["x"], o["y"] + i["y"], i["width"], i["height"]),
              n.get("app_id") or n.get("window_properties", {}).get("class"))
        sys.exit(0)
sys.exit(1)' "$1"
}
full_screen() { local v; v=$(in_tree "$TITLE") && [[ "$v" == *" 1 0,0 1280x800 "* ]] && echo "$v"; }
windowed() { local v; v=$(in_tree "$TITLE") && [[ "$v" == *" 0 "* ]] && echo "$v"; }
# Full screen shows the 1024x768 mode scaled to the output: its middle is grabbed.
where() { [[ "$1" == *" 1 0,0 "* ]] && echo "128,16 1024x768" || echo "$(cut -d' ' -f4 <<<"$1") 1024x768"; }
grab() { timeout 10 grim -l 1 -g "$2" "$SHOTS/$1.png" 2>/dev/null; }
# wtype's keymap puts keys on key codes of its own, while SDL's X11 driver
# takes a key's place from the layout it saw as the program started: X
# windows are typed into with XTEST, under the US layout they started with.
# A new virtual keyboard needs a moment before the focus reaches it, and it
# stays plugged in until the next: a seat that lost its last keyboard sends
# new windows no keymap, which SDL 2.26's Wayland driver crashes on.
keys() { if [ -n "${DISPLAY:-}" ]; then us_keymap && "${AS_USER[@]}" xdotool key --delay 300 "$@"; else type_keys "$@"; fi; }
# Each key is tapped as a person does, held for 60 ms.
type_keys() {
  local old=$KEYBOARD_PID taps=() key
  for key; do taps+=(-P "$key" -s 60 -p "$key" -s 100); done
  wtype -s 600 "${taps[@]}" -s 3600000 & KEYBOARD_PID=$!
  sleep "$(awk -v n=$# 'BEGIN { print 0.8 + 0.16 * n }')" && kill "$old"
}
us_keymap() { "${AS_USER[@]}" setxkbmap -layout us >/dev/null 2>&1; }
# start_show: the program started, and Start typed into its dialog with sound off.
start_show() {
  start_program
  DIALOG=$(wait_for in_tree 20 Corvane) && type_keys Tab Tab Tab Tab Tab space Return && return 0
  fail "the settings dialog opens"; finished 1; return 1
}

echo "sway with XWayland on $DISPLAY"
PROGRAM=("${AS_USER[@]}" "$BUILD/bin/corvane")
reached=0
for start in $(seq "${STARTS:-20}"); do
  us_keymap
  start_show || continue
  if view=$(wait_for full_screen 30) && moving start "$(where "$view")"; then
    reached=$((reached + 1))
  else
    echo "       start $start: $(in_tree "$TITLE" || echo 'no window'); processor $(ticks_over 2) ticks in 2 s"
    grab "frozen-$start" "0,0 1280x800"
  fi
  if [ "$start" = 1 ]; then
    expect "the dialog is a Wayland window with app id $ID ($DIALOG)" grep -q " xdg_shell .* $ID\$" <<<"$DIALOG"
    expect "the show an X window, full screen on the output (${view:-none})" grep -q " xwayland .* $ID\$" <<<"${view:-}"
    gl=$("${AS_USER[@]}" xdotool search --name "^$TITLE\$" | head -n 1)
    expect "its WM_CLASS is $ID" grep -q "\"$ID\", \"$ID\"" <<<"$("${AS_USER[@]}" xprop -id "${gl:-0}" WM_CLASS)"
    scene_checks "${view:-}"
  else
    swaymsg -q "[title=\"^$TITLE\$\"] kill"  # as the window's close button
    finished 10
    [ "$EXIT_CODE" = 0 ] || fail "start $start: closing the window ends the show with status 0 (got $EXIT_CODE)"
  fi
done
echo "  $reached of ${STARTS:-20} starts reached the moving scene in full screen"
expect "every start reached the moving scene in full screen" [ "$reached" = "${STARTS:-20}" ]

echo "sway, pure Wayland (DISPLAY unset)"
unset DISPLAY
if start_show; then
  view=$(wait_for full_screen 30)
  expect "the show is a Wayland window, full screen with app id $ID (${view:-none})" grep -q " xdg_shell .* $ID\$" <<<"${view:-}"
  scene_checks "${view:-}"
fi
PROGRAM=("${AS_USER[@]}" "$BUILD/bin/corvane-saver")
start_program
saver=$(wait_for in_tree 10 Corvane)
expect "corvane-saver: the lit room moves in a window of its own (${saver:-none})" moving saver "$(where "${saver:-0 0 0 0,0}")"
kill -TERM "$APP_PID"
finished 5
expect "and it ends with 0 on SIGTERM (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
said=$("${AS_USER[@]}" "$BUILD/bin/corvane-saver" --root 2>&1)
expect "--root without an X display: status 1 and one line ($said)" \
  test "$?/$(wc -l <<<"$said")/$(grep -c 'needs an X screen saver host' <<<"$said")" = 1/1/1
verdict
