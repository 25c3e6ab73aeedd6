#!/usr/bin/env bash
# The hack's processor use: corvane-saver in its own 1024 x 768 window under
# Xvfb (Mesa's llvmpipe), at the default delay and unthrottled (--delay 0),
# each for SECONDS after a 3-second start. Prints the share of one core used
# (user + system time over wall time) for both.
#   bench/saver_cpu.sh BUILD_DIR [SECONDS]
set -u
BUILD=$(cd "${1:?build directory}" && pwd)
SECONDS_EACH=${2:-10}
HACK="$BUILD/bin/corvane-saver"
WORK=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$WORK/display") SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
ticks_per_second=$(getconf CLK_TCK)

# cpu_ticks PID: user + system clock ticks used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

measure() {  # measure LABEL ARGUMENTS...
  local label=$1
  shift
  "$HACK" "$@" >/dev/null 2>&1 &
  local pid=$! start end
  sleep 3
  start=$(cpu_ticks "$pid")
  sleep "$SECONDS_EACH"
  end=$(cpu_ticks "$pid")
  kill -TERM "$pid"
  wait "$pid"
  awk -v l="$label" -v t=$((end - start)) -v hz="$ticks_per_second" -v s="$SECONDS_EACH" \
    'BEGIN { printf "%-28s %5.1f %% of one core\n", l, 100 * t / hz / s }'
}

measure "default delay (20000 us)"
measure "unthrottled (--delay 0)" --delay 0
