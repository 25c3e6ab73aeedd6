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

BUILD=$(cd "${1:?usage: desktop_xscreensaver.sh <build-dir>}" && pwd)
SHOTS=$BUILD/e2e/desktop_xscreensaver
LIB=$(cd "$(dirname "$0")/lib" && pwd)
TIMEOUT=60  # xscreensaver's timeout, in seconds
SLACK=20    # how late a blank may come: xscreensaver looks at the clock now and then

for tool in Xvfb openbox dbus-daemon xscreensaver xscreensaver-command xhost setpriv xdotool xwininfo import; do
  command -v "$tool" >/dev/null || { echo "desktop_xscreensaver: cannot run here (missing $tool)"; exit 77; }
done
id nobody >/dev/null 2>&1 || { echo "desktop_xscreensaver: cannot run here (no user nobody)"; exit 77; }
[ "$(id -u)" = 0 ] || { echo "desktop_xscreensaver: cannot run here (needs root to run xscreensaver as nobody)"; exit 77; }

PROGRAM_NAME=desktop_xscreensaver
SCREEN=1280x1024x24
SAVER_PID=
NOBODY_HOME=
cleanup_target() {
  for pid in $SAVER_PID $WM_PID $BUS_PID; do kill "$pid" 2>/dev/null; done
  [ -n "$NOBODY_HOME" ] && rm -rf "$NOBODY_HOME"
}
source "$LIB/show.sh"
use_build "$BUILD"
start_display
source "$LIB/desktop.sh"
start_openbox || { echo "desktop_xscreensaver: FAIL (openbox did not start)"; exit 1; }
start_session_bus || { echo "desktop_xscreensaver: FAIL (no D-Bus session bus)"; exit 1; }

# xscreensaver as nobody, in a home of its own. The access grant is made
# once openbox holds a connection: Xvfb forgets it when its last client leaves.
xhost +SI:localuser:nobody >/dev/null
NOBODY_HOME=$(mktemp -d /tmp/corvane-xscreensaver.XXXXXX)
chmod 755 "$NOBODY_HOME"
cat >"$NOBODY_HOME/.xscreensaver" <<EOF
timeout: 0:01:00
cycle: 0:10:00
lock: False
fade: False
unfade: False
splash: False
mode: blank
dpmsEnabled: False
EOF
chown -R nobody "$NOBODY_HOME"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env -i HOME="$NOBODY_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin xscreensaver -no-splash -verbose \
  >"$WORK/xscreensaver.log" 2>&1 &
SAVER_PID=$!
for _ in $(seq 100); do xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
xscreensaver-command -version >/dev/null 2>&1 || {
  echo "desktop_xscreensaver: FAIL (xscreensaver did not start)"
  tail -n 20 "$WORK/xscreensaver.log"
  exit 1
}

blanked() { xscreensaver-command -time 2>/dev/null | grep -q ' blanked since'; }
deactivations() { grep -c 'ClientMessage DEACTIVATE' "$WORK/xscreensaver.log"; }
# blanks_within SECONDS: true as soon as the screen blanks, false when it
# has not when the time is up; leaves the seconds waited in WAITED.
WAITED=0
blanks_within() {
  local start=$SECONDS
  while [ $((SECONDS - start)) -le "$1" ]; do
    blanked && { WAITED=$((SECONDS - start)); return 0; }
    sleep 1
  done
  WAITED=$((SECONDS - start))
  return 1
}

echo "desktop_xscreensaver: DISPLAY=$DISPLAY, $(xscreensaver-command -version 2>&1 | head -n 1), timeout ${TIMEOUT}s"

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
