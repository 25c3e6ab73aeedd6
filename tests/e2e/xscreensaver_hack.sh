#!/usr/bin/env bash
# corvane-saver under Debian's real xscreensaver, on Xvfb: activated, the
# scene fills the screen within 10 s, moves and flashes its red spot light;
# deactivated, the hack is gone within 2 s. xscreensaver runs nothing as
# root, so it runs as `nobody` with a home of its own and a copy of the hack.
#   tests/e2e/xscreensaver_hack.sh BUILD_DIR
set -u
BUILD=$(cd "${1:?build directory}" && pwd)
PROGRAM_NAME=xscreensaver_hack
SHOTS="$BUILD/e2e-shots/xscreensaver_hack"
for tool in xscreensaver xscreensaver-command xhost setpriv; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: SKIP ($tool is not installed)"; exit 77; }
done
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] ||
  { echo "$PROGRAM_NAME: SKIP (xscreensaver-gl is not installed)"; exit 77; }
[ "$(id -u)" = 0 ] || { echo "$PROGRAM_NAME: SKIP (needs root to run xscreensaver as nobody)"; exit 77; }
source "$(dirname "$0")/lib/scene.sh"

SAVER_PID=
cleanup_target() {
  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null
  pkill -u nobody -f "$WORK/hack/corvane-saver" 2>/dev/null
}

as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$WORK/home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin SDL_AUDIODRIVER=dummy \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$@"
}
hack_pids() { pgrep -u nobody -f "^$WORK/hack/corvane-saver" || true; }

start_display
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
running() { hack_pids | head -1; }
if wait_for running 10 >/dev/null; then pass "-activate starts corvane-saver"; else fail "-activate starts corvane-saver"; fi

# Past the loading picture and not black within 10 s of the activation.
lit=0
for _ in $(seq 20); do
  shot first
  above "$(brightness first 1024x768+0+0)" 0.05 && ! looks_like_loading first && { lit=1; break; }
  sleep 0.5
done
expect "the scene fills the screen within 10 s" test $lit = 1

# Three blink cycles: red on some frames, not on others; and moving.
reds=()
for i in $(seq 0 15); do
  shot "scene-$i"
  reds+=("$(red_share "scene-$i")")
  sleep 0.3
done
least=1 most=0
for r in "${reds[@]}"; do
  above "$r" "$most" && most=$r
  above "$least" "$r" && least=$r
done
expect "the spot light turns red on some frames and not on others ($least .. $most)" \
  above "$most" "$(awk -v l="$least" 'BEGIN { print l + 0.005 }')"
expect "the camera moves" above "$(difference first scene-15)" 0.05

as_nobody xscreensaver-command -deactivate >/dev/null
ended=0
for _ in $(seq 20); do
  [ -z "$(hack_pids)" ] && { ended=1; break; }
  sleep 0.1
done
expect "-deactivate ends the hack within 2 s" test $ended = 1
sleep 0.5
expect "nothing of the hack is left running" test -z "$(hack_pids)"

verdict
