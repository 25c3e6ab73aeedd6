# The scene's end-to-end checks, shared by the Linux and the Wine scripts,
# and what the screen saver checks take from them: screenshots and what
# they show. The scene script sets PROGRAM_NAME, then calls
# run_scene_checks BUILD (target.sh).

source "$(dirname "${BASH_SOURCE[0]}")/target.sh"

# The client area of one window only, cut from the whole screen.
shot_window() {
  local w h x y
  read -r w h x y < <(geometry "$2")
  timeout 10 import -window root -crop "${w}x$h+$x+$y" +repage "$SHOTS/$1.png"
}

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
  while [ $SECONDS -le $deadline ]; do
    shot_window "$1" "$2" && looks_like_loading "$1" && return 0
  done
  return 1
}

# wait_for_scene NAME WINDOW SECONDS: screenshots of the window until one
# shows the room, lit, past the loading picture.
wait_for_scene() {
  local deadline=$((SECONDS + $3))
  while [ $SECONDS -le $deadline ]; do
    shot_window "$1" "$2" && above "$(brightness "$1" 1024x768+0+0)" 0.08 && ! looks_like_loading "$1" && return 0
    sleep 0.25
  done
  return 1
}

run_scene_checks() {  # run_scene_checks BUILD
  use_build "${1:-}"
  need Xvfb xdotool xwininfo import convert compare
  start_display
  target_ready
  start_program
  local dialog gl before
  if dialog=$(wait_for find_dialog 60); then pass "the settings dialog opens"; else
    fail "the settings dialog opens"
    verdict
  fi
  sleep 1
  xdotool key --window "$dialog" Return
  if gl=$(wait_for find_gl 30); then pass "Start opens the GL window"; else fail "Start opens the GL window"; fi

  # Watched from the start, since without a sound device the loading picture
  # stays only as long as the loading itself.
  expect "the loading picture shows" wait_for_loading 01-loading "$gl" 10
  # The welcome sound lasts 6.67 s; the scene follows.
  expect "the scene shows after the loading picture" wait_for_scene scene-first "$gl" 20
  local i reds=()
  for i in $(seq 0 19); do
    shot "scene-$i"
    reds+=("$(red_share "scene-$i")")
    sleep 0.25
  done
  expect "the spot light turns red on some frames and not on others (red shares ${reds[*]})" \
    [ "$(blinks "${reds[@]}")" -ge 1 ]
  sleep 3
  shot scene-later
  expect "the camera moves" above "$(difference scene-0 scene-later)" 0.2
  expect "the room is lit" above "$(brightness scene-later 1024x768+0+0)" 0.08

  # F1 rebuilds the window in the other mode and the scene starts again with
  # its loading picture.
  before=$gl
  press "$gl" F1
  if gl=$(wait_for other_than 20 "$before" find_gl); then pass "F1 rebuilds the window"; else fail "F1 rebuilds the window"; fi
  expect "after F1 the scene loads again from the start" wait_for_loading loading-after-f1 "$gl" 10
  expect "and shows the room again" wait_for_scene after-f1 "$gl" 20

  press "$gl" Escape
  finished 20
  expect "Escape ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
  verdict
}
