#!/usr/bin/env bash
# End to end with Debian's real xscreensaver, run as user nobody (it starts
# nothing as root) with a one-minute timeout, no fading, no splash, no lock,
# under openbox on Xvfb, with a D-Bus session bus that has no screen-saver
# service (as on a desktop without a login manager). Checks that the show,
# active for 90 s after the last synthetic input (xdotool's input is user
# activity to xscreensaver), keeps the screen unblanked; that the screen
# blanks within the timeout while the show is minimised; and that it blanks
# within the timeout after the show ends. Takes about four minutes.
# Screenshots land in <build-dir>/e2e/desktop_xscreensaver/.
#
# Usage: tests/e2e/desktop_xscreensaver.sh <build-dir>
set -uo pipefail

TIMEOUT=60  # xscreensaver's timeout, in seconds
SLACK=20    # how late a blank may come: xscreensaver looks at the clock now and then

SCREEN=1280x1024x24
cleanup_target() { stop_xscreensaver; kill $WM_PID $BUS_PID 2>/dev/null; }
source "$(dirname "$0")/lib/show.sh"
source "$(dirname "$0")/lib/desktop.sh"
use_build "${1:-}"
need Xvfb openbox dbus-daemon xscreensaver xscreensaver-command xhost setpriv xdotool xwininfo import
start_display
start_openbox || abort "openbox did not start"
start_session_bus || abort "no D-Bus session bus"

nobody_home
start_xscreensaver "timeout: 0:01:00" "cycle: 0:10:00" "mode: blank" || abort "xscreensaver did not start"

blanked() { xscreensaver-command -time 2>/dev/null | grep -q ' blanked since'; }
deactivations() { grep -c 'ClientMessage DEACTIVATE' "$WORK/xscreensaver.log"; }
# blanks_within SECONDS: true as soon as the screen blanks, false when it
# has not when the time is up; leaves the seconds waited in WAITED.
blanks_within() {
  local start=$SECONDS
  until blanked || [ $((SECONDS - start)) -ge "$1" ]; do sleep 1; done
  WAITED=$((SECONDS - start))
  blanked
}

echo "$PROGRAM_NAME: DISPLAY=$DISPLAY, $(xscreensaver-command -version 2>&1 | head -n 1), timeout ${TIMEOUT}s"

start_program
if settle_dialog 1 0 no windowed-800 && window=$(wait_for find_gl 15); then
  activate "$window"
  sleep 2
  last_input=$SECONDS  # settle_dialog's Return was the last synthetic input
  ticks=$(ticks_over 1)
  expect "the show runs ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]

  # 1. Active for 90 s without input: never blanked.
  blanks=0
  while [ $((SECONDS - last_input)) -lt 90 ]; do
    blanked && blanks=$((blanks + 1))
    sleep 3
  done
  shot active-90s
  expect "90 s active without input: the screen never blanked (blank readings: $blanks)" [ "$blanks" = 0 ]
  heard=$(deactivations)
  expect "xscreensaver heard the deactivate request about every 30 s ($heard in 90 s)" \
    [ "$heard" -ge 3 -a "$heard" -le 5 ]
  ticks=$(ticks_over 1)
  expect "the show still runs ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]

  # 2. Minimised: the screen blanks within the timeout (counted from the
  #    last deactivate request, at most 30 s before).
  xdotool windowminimize --sync "$window" 2>/dev/null || xdotool windowminimize "$window"
  blanks_within $((TIMEOUT + SLACK))
  expect "minimised: the screen blanks within the timeout (after ${WAITED}s)" [ $? = 0 ]
  shot minimised-blanked
  deactivations_minimised=$(deactivations)

  # 3. Back to the show, then it ends: the screen blanks within the timeout.
  xdotool mousemove 10 10 sleep 0.5 mousemove 20 20  # user activity unblanks
  sleep 2
  activate "$window"
  ticks=$(ticks_over 1)
  expect "restored: the show runs again ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]
  shot restored
  press "$window" Escape
  finished 10
  expect "Escape ends the show with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
  blanks_within $((TIMEOUT + SLACK))
  expect "after the show ended: the screen blanks within the timeout (after ${WAITED}s)" [ $? = 0 ]
  expect "no deactivate request while minimised or after the end" \
    [ "$(deactivations)" -le $((deactivations_minimised + 1)) ]
  shot ended-blanked
else
  fail "a window titled $TITLE"
fi
finished 0
verdict
