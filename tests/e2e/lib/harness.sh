# What every end-to-end check script shares: a scratch directory, the
# pass/fail tally, a private Xvfb screen, waiting for windows, screenshots.
# The including script sets PROGRAM_NAME and SHOTS, may set SCREEN (the
# Xvfb screen, 1024x768x24 unless set) and may define cleanup_target (run at
# exit, before the display goes). The scene and dialog libraries both include
# it; a script may take both.
[ -n "${HARNESS_LOADED:-}" ] && return 0
HARNESS_LOADED=yes

WORK=$(mktemp -d)
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png
failures=0
checks=0
XVFB_PID=
APP_PID=

cleanup_checks() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  declare -F cleanup_target >/dev/null && cleanup_target
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup_checks EXIT

pass() { checks=$((checks + 1)); echo "  ok   $*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "  FAIL $*"; }
expect() {  # expect DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

start_display() {
  Xvfb -displayfd 3 -screen 0 "${SCREEN:-1024x768x24}" -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 300); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  [ -s "$WORK/display" ] || { echo "$PROGRAM_NAME: FAIL (Xvfb did not start)"; exit 1; }
  export DISPLAY=:$(cat "$WORK/display")
}

# wait_for FINDER SECONDS: polls a finder until it names a visible window.
wait_for() {
  local finder=$1 deadline=$((SECONDS + $2)) id
  while [ $SECONDS -le $deadline ]; do
    id=$($finder) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# titled NAME: the visible window whose name is exactly NAME.
titled() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}

# geometry WINDOW: "WIDTH HEIGHT X Y".
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                       /^  Width/ {w=$2} /^  Height/ {h=$2} END {print w, h, x, y}'
}

shot() { timeout 10 import -window root "$SHOTS/$1.png" 2>/dev/null; }

# The verdict line, and the exit status that goes with it.
verdict() {
  if [ "$failures" -eq 0 ]; then
    echo "$PROGRAM_NAME: PASS ($checks checks; screenshots in $SHOTS)"
  else
    echo "$PROGRAM_NAME: FAIL ($failures of $checks checks failed; screenshots in $SHOTS)"
    exit 1
  fi
}
