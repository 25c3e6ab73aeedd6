# Watching a screen saver's scene in screenshots of the whole screen, for the
# package checks (the hack under xscreensaver, the .scr under Wine). Includes
# scene.sh, and through it the harness.

source "$(dirname "${BASH_SOURCE[0]}")/scene.sh"

# check_saver_scene NAME: the loading picture comes first, and the camera
# starts out close to a wall. Takes screenshots NAME-0, NAME-1, ... until the
# room shows, lit, then until the spot light has gone red and back, or back
# and red (twice across the middle of the red seen, which the camera's slow
# glide alone does not do), within a minute in all: a loaded machine is
# slow. Then checks the room was lit, the camera moved and the light blinked.
check_saver_scene() {
  local name=$1 deadline=$((SECONDS + 60)) n=0 lit= reds=
  while [ $SECONDS -le $deadline ]; do
    shot "$name-$n"
    if [ -z "$lit" ]; then
      above "$(brightness "$name-$n" 1024x768+0+0)" 0.08 && ! looks_like_loading "$name-$n" && lit=$n
    else
      reds="$reds $(red_share "$name-$n")"
      [ "$(blinks $reds)" -ge 2 ] && break
    fi
    n=$((n + 1))
    sleep 0.25
  done
  expect "the scene shows, lit (screenshot $name-${lit:-none})" [ -n "$lit" ]
  expect "the camera moves" above "$(difference "$name-${lit:-0}" "$name-$n")" 0.05
  expect "the spot light turns red and back (red share of each frame:$reds)" [ "$(blinks $reds)" -ge 2 ]
}
