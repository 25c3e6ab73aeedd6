#!/usr/bin/env bash
# corvane-saver under Debian's real xscreensaver on two monitors side by side:
# Xephyr with two 1024x768 heads joined by Xinerama, inside an Xvfb (whose own
# +xinerama stacks its screens instead). Activated, xscreensaver runs one
# hack a head, and each head shows the scene within 10 s, moving and
# flashing its red spot light; deactivated, both hacks are gone within 2 s.
# xscreensaver runs nothing as root, so it runs as `nobody` with a home of
# its own and a copy of the hack.
#   tests/e2e/xscreensaver_hack.sh BUILD_DIR
set -uo pipefail
SCREEN=2048x768x24
XEPHYR_PID=
cleanup_target() {
  stop_xscreensaver
  pkill -u nobody -f "$WORK/hack/corvane-saver" 2>/dev/null
  [ -n "$XEPHYR_PID" ] && kill "$XEPHYR_PID" 2>/dev/null
}
source "$(dirname "$0")/lib/scene.sh"
source "$(dirname "$0")/lib/desktop.sh"
in_build "${1:-}"
need Xvfb Xephyr xscreensaver xscreensaver-command xhost setpriv import convert compare
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] || unavailable "xscreensaver-gl is not installed"
hack_pids() { pgrep -u nobody -f "^$WORK/hack/corvane-saver" || true; }

# shot_heads NAME: a screenshot, and each head's part of it as NAME-0, NAME-1.
shot_heads() { shot "$1" && convert "$SHOTS/$1.png" -crop 1024x768 +repage "$SHOTS/$1-%d.png"; }

start_display
Xephyr -displayfd 4 -screen 1024x768 -screen 1024x768 +xinerama -nolisten tcp 4>"$WORK/xephyr" \
  >"$WORK/xephyr.log" 2>&1 &
XEPHYR_PID=$!
eventually 10 test -s "$WORK/xephyr" || abort "Xephyr did not start with two heads"
export DISPLAY=:$(cat "$WORK/xephyr")

# A home for nobody, and the hack where nobody can reach it.
nobody_home
mkdir -p "$WORK/hack"
cp "$BUILD/bin/corvane-saver" "$WORK/hack/"
# The user's programs are merged with the system's, the user's first, so
# ours is number 0 in the list `selected` counts in.
start_xscreensaver "mode: one" "selected: 0" "timeout: 0:30:00" \
  "programs: GL: \"Corvane\" $WORK/hack/corvane-saver --root \\n" || abort "xscreensaver did not start as nobody"

as_nobody xscreensaver-command -activate >/dev/null
two_running() { [ "$(hack_pids | wc -l)" -ge 2 ] && echo two; }
if wait_for two_running 10 >/dev/null; then pass "-activate starts a corvane-saver for each head"; else
  fail "-activate starts a corvane-saver for each head ($(hack_pids | wc -l) running)"
fi

# Both heads past the loading picture and not black within 10 s.
shown=no
for _ in $(seq 20); do
  shot_heads first
  lit first-0 0.05 && lit first-1 0.05 && { shown=yes; break; }
  sleep 0.5
done
expect "the scene fills both heads within 10 s" test $shown = yes

# On each head: red on some frames, not on others; and moving.
reds=("" "")
for i in $(seq 0 9); do
  shot_heads "scene-$i"
  for head in 0 1; do reds[head]="${reds[head]} $(red_share "scene-$i-$head")"; done
  sleep 0.3
done
for head in 0 1; do
  expect "head $head: the spot light turns red on some frames and not on others (${reds[head]# })" \
    [ "$(blinks ${reds[head]})" -ge 1 ]
  expect "head $head: the camera moves" above "$(difference "first-$head" "scene-9-$head")" 0.05
done

as_nobody xscreensaver-command -deactivate >/dev/null
expect "-deactivate ends both hacks within 2 s" gone hack_pids 2
sleep 0.5
expect "nothing of the hack is left running" test -z "$(hack_pids)"

verdict
