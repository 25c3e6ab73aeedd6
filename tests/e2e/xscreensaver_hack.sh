#!/usr/bin/env bash
# corvane-saver under Debian's real xscreensaver on two monitors side by side:
# Xephyr with two 1024x768 heads joined by Xinerama, inside an Xvfb (whose own
# +xinerama stacks its screens instead). Activated, xscreensaver runs one
# hack a head, and each head shows the scene within 10 s, moving and
# flashing its red spot light; deactivated, both hacks are gone within 2 s.
# xscreensaver runs nothing as root, so it runs as `nobody` with a home of
# its own and a copy of the hack.
#   tests/e2e/xscreensaver_hack.sh BUILD_DIR
set -u
BUILD=$(cd "${1:?build directory}" && pwd)
PROGRAM_NAME=xscreensaver_hack
SHOTS="$BUILD/e2e-shots/xscreensaver_hack"
SCREEN=2048x768x24
for tool in xscreensaver xscreensaver-command xhost setpriv Xephyr; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: SKIP ($tool is not installed)"; exit 77; }
done
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] ||
  { echo "$PROGRAM_NAME: SKIP (xscreensaver-gl is not installed)"; exit 77; }
[ "$(id -u)" = 0 ] || { echo "$PROGRAM_NAME: SKIP (needs root to run xscreensaver as nobody)"; exit 77; }
source "$(dirname "$0")/lib/scene.sh"

SAVER_PID=
XEPHYR_PID=
cleanup_target() {
  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null
  pkill -u nobody -f "$WORK/hack/corvane-saver" 2>/dev/null
  [ -n "$XEPHYR_PID" ] && kill "$XEPHYR_PID" 2>/dev/null
}

as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$WORK/home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin SDL_AUDIODRIVER=dummy \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$@"
}
hack_pids() { pgrep -u nobody -f "^$WORK/hack/corvane-saver" || true; }

# shot_heads NAME: a screenshot, and each head's part of it as NAME-0, NAME-1.
shot_heads() { shot "$1" && convert "$SHOTS/$1.png" -crop 1024x768 +repage "$SHOTS/$1-%d.png"; }

start_display
Xephyr -displayfd 4 -screen 1024x768 -screen 1024x768 +xinerama -nolisten tcp 4>"$WORK/xephyr" \
  >"$WORK/xephyr.log" 2>&1 &
XEPHYR_PID=$!
for _ in $(seq 100); do [ -s "$WORK/xephyr" ] && break; sleep 0.1; done
[ -s "$WORK/xephyr" ] || { fail "Xephyr starts with two heads"; verdict; }
export DISPLAY=:$(cat "$WORK/xephyr")
xhost +SI:localuser:nobody >/dev/null

# A home for nobody, and the hack where nobody can reach it.
chmod 755 "$WORK"
mkdir -p "$WORK/home" "$WORK/hack"
cp "$BUILD/bin/corvane-saver" "$WORK/hack/"
# The user's programs are merged with the system's, the user's first, so
# ours is number 0 in the list `selected` counts in.
cat >"$WORK/home/.xscreensaver" <<CONF
mode:		one
selected:	0
timeout:	0:30:00
lock:		False
fade:		False
unfade:		False
splash:		False
dpmsEnabled:	False
programs:	GL: "Corvane" $WORK/hack/corvane-saver --root \n
CONF
chown -R nobody:nogroup "$WORK/home"

as_nobody xscreensaver --no-splash >"$WORK/xscreensaver.log" 2>&1 &
SAVER_PID=$!
ready() { as_nobody xscreensaver-command -time >/dev/null 2>&1 && echo up; }
if ! wait_for ready 20 >/dev/null; then
  fail "xscreensaver starts as nobody"
  verdict
fi

as_nobody xscreensaver-command -activate >/dev/null
two_running() { [ "$(hack_pids | wc -l)" -ge 2 ] && echo two; }
if wait_for two_running 10 >/dev/null; then pass "-activate starts a corvane-saver for each head"; else
  fail "-activate starts a corvane-saver for each head ($(hack_pids | wc -l) running)"
fi

# Both heads past the loading picture and not black within 10 s.
lit=0
for _ in $(seq 20); do
  shot_heads first
  above "$(brightness first-0 1024x768+0+0)" 0.05 && above "$(brightness first-1 1024x768+0+0)" 0.05 &&
    ! looks_like_loading first-0 && ! looks_like_loading first-1 && { lit=1; break; }
  sleep 0.5
done
expect "the scene fills both heads within 10 s" test $lit = 1

# On each head: red on some frames, not on others; and moving.
reds=("" "")
for i in $(seq 0 9); do
  shot_heads "scene-$i"
  for head in 0 1; do reds[head]="${reds[head]} $(red_share "scene-$i-$head")"; done
  sleep 0.3
done
for head in 0 1; do
  range=$(echo ${reds[head]} | awk '{ lo = hi = $1; for (i = 2; i <= NF; i++) { if ($i < lo) lo = $i; if ($i > hi) hi = $i }
                                      print lo, hi }')
  expect "head $head: the spot light turns red on some frames and not on others ($range)" \
    above "$(echo "$range" | awk '{ print $2 - $1 }')" 0.005
  expect "head $head: the camera moves" above "$(difference "first-$head" "scene-9-$head")" 0.05
done

as_nobody xscreensaver-command -deactivate >/dev/null
ended=0
for _ in $(seq 20); do
  [ -z "$(hack_pids)" ] && { ended=1; break; }
  sleep 0.1
done
expect "-deactivate ends both hacks within 2 s" test $ended = 1
sleep 0.5
expect "nothing of the hack is left running" test -z "$(hack_pids)"

verdict
