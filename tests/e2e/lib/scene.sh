# The scene in screenshots, for the scene check and the screen savers':
# what a screenshot shows (brightness, red, the loading card, change), and
# waits for the loading picture and the lit room (target.sh).

source "$(dirname "${BASH_SOURCE[0]}")/target.sh"

# Mean brightness (0..1) of a region WxH+X+Y of a screenshot.
brightness() { convert "$SHOTS/$1.png" -crop "$2" -colorspace Gray -format "%[fx:mean]" info:; }
# Share (0..1) of clearly red pixels in a screenshot.
red_share() {
  convert "$SHOTS/$1.png" -resize 10% -fx "(r>g+0.1 && r>b+0.1) ? 1 : 0" -format "%[fx:mean]" info:
}
# Share (0..1) of pixels that differ between two screenshots.
difference() { compare -metric AE -fuzz 5% "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 | awk '{print $1 / 786432}'; }

# The loading card is a deep blue; the room is grey.
looks_like_loading() { above "$(convert "$SHOTS/$1.png" -resize 25% -format "%[fx:mean.b-mean.r]" info:)" 0.06; }
# lit NAME LEVEL: the room shows, past the loading card, brighter than LEVEL.
lit() { above "$(brightness "$1" 1024x768+0+0)" "$2" && ! looks_like_loading "$1"; }

# blinks SHARE...: how often a series of red shares crosses the middle of
# its range; 0 unless the range is wider than 0.005.
blinks() {
  echo "$@" | awk '{ lo = hi = $1; for (i = 2; i <= NF; i++) { if ($i < lo) lo = $i; if ($i > hi) hi = $i }
                     if (hi - lo <= 0.005) { print 0; exit }
                     for (i = 1; i <= NF; i++) { up = $i > (lo + hi) / 2; if (i > 1 && up != was) n++; was = up }
                     print n + 0 }'
}

# wait_for_loading NAME WINDOW SECONDS: screenshots of the window until one
# shows the loading card.
wait_for_loading() {
  local deadline=$((SECONDS + $3))
  given "$2" watch || return 1
  while [ $SECONDS -le $deadline ]; do
    shot "$1" "$2" && looks_like_loading "$1" && return 0
  done
  return 1
}

# wait_for_scene NAME WINDOW SECONDS: screenshots of the window until one
# shows the room, lit, past the loading picture.
wait_for_scene() {
  local deadline=$((SECONDS + $3))
  given "$2" watch || return 1
  while [ $SECONDS -le $deadline ]; do
    shot "$1" "$2" && lit "$1" 0.08 && return 0
    sleep 0.25
  done
  return 1
}

# check_scene NAME: the show or a screen saver, full screen. The loading
# picture comes first, and the camera starts out close to a wall. Takes
# screenshots NAME-0, NAME-1, ... until the
# room shows, lit, then until the spot light has gone red and back, or back
# and red (twice across the middle of the red seen, which the camera's slow
# glide alone does not do), within a minute in all: a loaded machine is
# slow. Then checks the room was lit, the camera moved and the light blinked.
check_scene() {
  local name=$1 deadline=$((SECONDS + 60)) n=0 first= reds=
  while [ $SECONDS -le $deadline ]; do
    shot "$name-$n"
    if [ -z "$first" ]; then
      lit "$name-$n" 0.08 && first=$n
    else
      reds="$reds $(red_share "$name-$n")"
      [ "$(blinks $reds)" -ge 2 ] && break
    fi
    n=$((n + 1))
    sleep 0.25
  done
  expect "the scene shows, lit (screenshot $name-${first:-none})" [ -n "$first" ]
  expect "the camera moves" above "$(difference "$name-${first:-0}" "$name-$n")" 0.05
  expect "the spot light turns red and back (red share of each frame:$reds)" [ "$(blinks $reds)" -ge 2 ]
}
