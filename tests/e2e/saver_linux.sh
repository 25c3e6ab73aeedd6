#!/usr/bin/env bash
# corvane-saver, the xscreensaver hack, on its own under Xvfb: its settings
# file offers only options it takes; bad input ends with status 1 and a
# message; drawn into a small window made here, it fills it, follows a resize
# and ends when the window goes; SIGTERM ends it with status 0; its own window
# ends on q.
#   tests/e2e/saver_linux.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/scene.sh"
in_build "${1:-}"
need Xvfb xdotool xwininfo xmessage import convert python3
HACK="$BUILD/bin/corvane-saver"
XML="$(cd "$(dirname "$0")/../.." && pwd)/saver/corvane-saver.xml"
# No session bus: nothing may start one behind the test's back.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent

HOST_PID=
cleanup_target() { [ -n "$HOST_PID" ] && kill "$HOST_PID" 2>/dev/null; }

# The arguments the settings file can pass: each on one line.
xml_arguments() {
  python3 - "$XML" <<'PY'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
if root.tag != "screensaver" or root.get("name") != "corvane-saver":
    sys.exit("root element is not <screensaver name=\"corvane-saver\">")
for element in root.iter():
    for key in ("arg", "arg-set", "arg-unset"):
        value = element.get(key)
        if value is None:
            continue
        if "%" in value:
            for bound in ("low", "high", "default"):
                print(value.replace("%", element.get(bound)))
        else:
            print(value)
PY
}

# A window of another program, 320 x 240, for the hack to draw in: sets
# HOST (its id) and HOST_PID.
find_host() { xdotool search --onlyvisible --classname '^host$' 2>/dev/null | head -1; }
make_host() {
  xmessage -geometry 320x240+40+40 -name host " " >/dev/null 2>&1 &
  HOST_PID=$!
  HOST=$(wait_for find_host 10)
}

# The hack's window inside the host: "WIDTH HEIGHT" of its last child.
child_size() {
  local child
  [ -n "$1" ] || return 1
  child=$(timeout 5 xwininfo -children -id "$1" 2>/dev/null | awk '/^ +0x/ {id=$1} END {print id}')
  [ -n "$child" ] && geometry "$child" | awk '{print $1, $2}'
}
# fills "W H": the hack's window in the host has that size.
fills() { [ "$(child_size "$HOST")" = "$1" ]; }
# drawn NAME WINDOW REGION: a screenshot of the window whose REGION is not
# black (the camera may look into the dark for its first seconds, longer at
# a low frame rate).
drawn() { shot "$1" "$2" && above "$(brightness "$1" "$3")" 0.03; }

start_display

# The settings file.
if arguments=$(xml_arguments); then
  pass "corvane-saver.xml is well-formed and names corvane-saver"
  refused=
  while read -r line; do
    # shellcheck disable=SC2086
    "$HACK" $line --version >/dev/null 2>&1 || refused="$refused [$line]"
  done <<<"$arguments"
  expect "every option the settings can pass is accepted${refused:+ (refused:$refused)}" test -z "$refused"
else
  fail "corvane-saver.xml is well-formed and names corvane-saver ($arguments)"
fi

# Bad input.
for bad in "--bogus" "--window-id 0x7ffffff0" "--delay -1" "--delay soon" "--window-id"; do
  # shellcheck disable=SC2086
  timeout 20 "$HACK" $bad >/dev/null 2>"$WORK/bad.err"
  status=$?
  expect "'$bad' ends with status 1 and says why ($(head -1 "$WORK/bad.err"))" \
    test "$status" = 1 -a -s "$WORK/bad.err"
done
expect "bad input leaves no hack running" test -z "$(pgrep -f "^$HACK" || true)"

# Drawn into a given window, which is then resized and closed.
if make_host; then
  "$HACK" --window-id "$HOST" --delay 10000 >>"$WORK/hack.log" 2>&1 &
  APP_PID=$!
  expect "the hack's window fills the given window (320 240)" eventually 10 fills "320 240"
  expect "it draws the scene there" eventually 20 drawn given-small "$HOST" 320x240+0+0
  xdotool windowsize "$HOST" 600 450
  expect "it follows the window to 600 x 450" eventually 10 fills "600 450"
  expect "it draws in the part the window gained" eventually 10 drawn given-large "$HOST" 600x210+0+240
  kill "$HOST_PID"
  HOST_PID=
  finished 2
  expect "it ends with status 0 within 2 s once the window is gone ($EXIT_CODE)" test "$EXIT_CODE" = 0
else
  fail "the host window opens"
fi

# SIGTERM, as xscreensaver stops its hacks.
if make_host; then
  "$HACK" --window-id "$HOST" >>"$WORK/hack.log" 2>&1 &
  APP_PID=$!
  sleep 3
  kill -TERM "$APP_PID"
  finished 2
  expect "SIGTERM ends it with status 0 within 2 s ($EXIT_CODE)" test "$EXIT_CODE" = 0
  kill "$HOST_PID" 2>/dev/null
  HOST_PID=
fi

# Its own window, ended with q.
"$HACK" --fps >>"$WORK/hack.log" 2>&1 &
APP_PID=$!
if own=$(wait_for "xdotool search --onlyvisible --pid $APP_PID" 15 | head -1); then
  expect "its own window is 1024 x 768" sized "$own" 1024 768
  sleep 2
  shot own "$own"
  xdotool key --window "$own" q
  finished 3
  expect "q ends it with status 0 ($EXIT_CODE)" test "$EXIT_CODE" = 0
else
  fail "its own window opens"
fi

verdict
