#!/usr/bin/env bash
# End to end under a real window manager: Debian's openbox on a 1280x1024
# Xvfb screen (which also offers a 1024x768 mode), with a private D-Bus
# session bus on which a stand-in screen-saver service records the
# freedesktop Inhibit and UnInhibit calls. Checks, for the program and its
# dialog: the decorated window's client area is the asked size; minimised,
# and with another application's window focused, nothing is drawn and no
# processor time is used, and frames resume on restore; F1 both ways, and
# the full-screen question answered Yes and No, leave no question box on
# screen; the frame's close button ends the program with 0. The
# screen saver is held off exactly while the show is active: one Inhibit at
# a time, each matched by an UnInhibit on deactivation and on exit, over F1
# rebuilds too; the X server's own saver stays off while the show is active
# and comes on while it is minimised. Screenshots land in
# <build-dir>/e2e/desktop_openbox/.
#
# Usage: tests/e2e/desktop_openbox.sh <build-dir>
set -uo pipefail

LIB=$(cd "$(dirname "$0")/lib" && pwd)
SCREEN=1280x1024x24
SERVICE_PID=
OTHER_PID=
cleanup_target() { kill $OTHER_PID $SERVICE_PID $WM_PID $BUS_PID 2>/dev/null; }
source "$LIB/show.sh"
source "$LIB/desktop.sh"
use_build "${1:-}"
need Xvfb openbox dbus-daemon xdotool xwininfo xprop xrandr xset xmessage import compare python3
# Debian's own Python, which has python3-dbus and python3-gi.
PY=/usr/bin/python3
"$PY" -c 'import dbus, gi' 2>/dev/null || unavailable "no python3-dbus or python3-gi for $PY"
start_display

# The session bus and the service first, so the program finds them.
start_session_bus || abort "no D-Bus session bus"
INHIBITS=$WORK/inhibits.log
: >"$INHIBITS"
"$PY" "$LIB/screensaver_service.py" "$INHIBITS" >"$WORK/service.out" 2>&1 &
SERVICE_PID=$!
eventually 10 grep -q READY "$WORK/service.out" || abort "the D-Bus service did not start"
start_openbox || abort "openbox did not start"

# A second display mode, so that full screen at 1024x768 can be granted.
# Made once openbox holds a connection: Xvfb forgets such modes when its
# last client leaves.
xrandr --newmode 1024x768 63.5 1024 1072 1176 1328 768 771 775 798 -hsync +vsync 2>/dev/null
xrandr --addmode screen 1024x768 2>/dev/null || echo "  (could not add a 1024x768 mode)"

# The X server's own saver after 5 idle seconds, so holding it off shows.
xset s 5 0
XSAVER_DPMS=$(xset q | grep -q 'DPMS is' && echo offered || echo "not offered by this server")
x_saver() { "$PY" "$LIB/x_saver_state.py" 2>/dev/null || echo unknown; }

# inhibits: "LIVE MOST UNMATCHED CALLS" over the service's log: Inhibit
# calls not yet taken back, the most at once, UnInhibit calls with a cookie
# the service never gave or already took back, Inhibit calls in all.
inhibits() {
  awk '/^INHIBIT /   {live++; calls++; if (live > most) most = live}
       /^UNINHIBIT / {live--; if ($3 != "known") bad++}
       END {print live + 0, most + 0, bad + 0, calls + 0}' "$INHIBITS"
}
live_inhibits() { inhibits | cut -d' ' -f1; }
inhibit_calls() { inhibits | cut -d' ' -f4; }
# held_now N: the service sees N live inhibits within 3 s.
live_are() { [ "$(live_inhibits)" = "$1" ]; }
held_now() { eventually 3 live_are "$1"; }
# balanced: after the program ended, every Inhibit was taken back, never
# more than one was live, and no cookie was wrong.
balanced() { set -- $(inhibits); [ "$1" = 0 ] && [ "$2" -le 1 ] && [ "$3" = 0 ]; }

# frame_extents WINDOW: "LEFT RIGHT TOP BOTTOM" of the frame openbox put
# around it, or nothing when it has none.
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ,; }
no_question() { [ -z "$(find_question)" ]; }

echo "$PROGRAM_NAME: DISPLAY=$DISPLAY, program $PROGRAM, DPMS $XSAVER_DPMS"

# 1. Windowed 800x600: the decorated window, minimise and restore, another
#    application's window focused and back, F1 to a full-screen size the
#    display lacks answered Yes, then again answered No: two message boxes,
#    and the program ends with 0, leaving no question box.
echo "windowed 800x600 under openbox"
start_program
if settle_dialog 1 0 no windowed-800 && window=$(wait_for find_gl 15); then
  extents=$(frame_extents "$window")
  expect "the client area is 800x600" sized "$window" 800 600
  expect "openbox decorated the window (frame $extents)" [ -n "$extents" ]
  sleep 3  # past the loading picture
  activate "$window"
  shot decorated
  expect_frames "while active"
  expect "one Inhibit while active (log: $(inhibits))" held_now 1
  expect "the Inhibit names the program ($(grep -m1 '^INHIBIT' "$INHIBITS"))" grep -q '^INHIBIT [0-9]* corvane ' "$INHIBITS"
  sleep 7
  expect "the X server's saver stays off while active for 7 s (state $(x_saver))" [ "$(x_saver)" != On ]

  xdotool windowminimize --sync "$window" 2>/dev/null || xdotool windowminimize "$window"
  sleep 0.5
  idle_check minimised
  expect "the Inhibit is taken back while minimised" held_now 0
  sleep 6
  expect "the X server's saver comes on while minimised (state $(x_saver))" [ "$(x_saver)" = On ]
  activate "$window"
  expect_frames "resume on restore"
  expect "the picture moves after restore" screen_changes
  expect "Inhibit again once restored" held_now 1
  shot restored

  xmessage -name other -center "another application" &
  OTHER_PID=$!
  if other=$(wait_for titled 10 xmessage) || other=$(wait_for titled 1 other); then
    activate "$other"
    idle_check "another application's window has the focus"
    expect "the picture stands still meanwhile" screen_still
    expect "the Inhibit is taken back meanwhile" held_now 0
    shot other-focused
    activate "$window"
    expect_frames "resume once focused again"
    expect "Inhibit again once focused" held_now 1
  else
    fail "another application's window to focus"
  fi
  kill "$OTHER_PID" 2>/dev/null
  OTHER_PID=

  # 800x600 is not among the display's modes: the question comes.
  for reply in Return alt+n; do  # Yes, the default, then No
    press "$window" F1
    question=$(wait_for find_question 10) || { fail "F1 to 800x600 full screen asks whether to go on windowed"; break; }
    shot "question-$reply"
    press "$question" "$reply"
    expect "after $reply the question box is gone" gone find_question 10
    [ "$reply" = Return ] || break
    window=$(wait_for other_than 10 "$window" find_gl)
    expect "after Yes: windowed at 800x600" sized "$window" 800 600
    activate "$window"
    expect_frames "after the rebuild"
  done
  if box=$(wait_for find_error 10); then
    shot no-close-box
    press "$box" Return
  fi
  if box=$(wait_for titled 10 Error); then
    pass "after No: \"Can't create Wnd\""
    press "$box" Return
  else
    fail "after No: \"Can't create Wnd\""
  fi
  finished 10
  expect "the program ends with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
  expect "no question box left on screen" no_question
else
  fail "a window titled $TITLE"
fi
finished 0
expect "after the run: every Inhibit taken back, never two at once (live, most, unmatched, calls: $(inhibits))" balanced

# 2. Full screen 1024x768, F1 to a decorated window of the same client
#    size, F1 back, F1 once more, then the frame's close button.
echo "full screen 1024x768 under openbox"
calls_before=$(inhibit_calls)
start_program
if settle_dialog 0 0 yes full-1024 && window=$(wait_for find_gl 15); then
  expect "full screen covers the 1024x768 mode" sized "$window" 1024 768 0 0
  sleep 3
  shot fullscreen
  press "$window" F1
  if window=$(wait_for other_than 10 "$window" find_gl); then
    activate "$window"
    expect "F1: windowed, client area 1024x768" sized "$window" 1024 768
    expect "F1: the window is decorated (frame $(frame_extents "$window"))" [ -n "$(frame_extents "$window")" ]
    sleep 2
    shot f1-windowed
    expect_frames "after F1"
    press "$window" F1
    window=$(wait_for other_than 10 "$window" find_gl)
    expect "F1 again: full screen at 1024x768" sized "$window" 1024 768 0 0
    expect "no question box on screen" no_question
    expect "one Inhibit while active after the rebuilds" held_now 1
    press "$window" F1
    window=$(wait_for other_than 10 "$window" find_gl)
    activate "$window"
    # The close button is the rightmost of openbox's title bar buttons.
    read -r left right top _ <<<"$(frame_extents "$window")"
    read -r w h x y <<<"$(geometry "$window")"
    xdotool mousemove $((x + w + ${right:-0} - 10)) $((y - ${top:-0} / 2)) sleep 0.3
    shot close-button
    xdotool click 1
    finished 10
    expect "the close button ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
  else
    fail "F1: a window again"
  fi
else
  fail "a full-screen window titled $TITLE"
fi
finished 0
expect "after the run: balanced over the rebuilds (live, most, unmatched, calls: $(inhibits))" balanced
expect "each of the four windows was held (Inhibit calls: $(($(inhibit_calls) - calls_before)))" \
  [ $(($(inhibit_calls) - calls_before)) -ge 4 ]

verdict
