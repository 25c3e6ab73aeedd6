# The scene's end-to-end checks, shared by the Linux and the Wine scripts.
# The including script sets PROGRAM_NAME, SHOTS and defines:
#   prepare_target      (optional) set-up once the display exists
#   launch              start the program in $WORK, setting APP_PID
#   find_dialog         the settings dialog's window id once it is visible
#   find_gl             the GL window's window id once it is visible
# then calls run_scene_checks.

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

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

# wait_for_loading NAME WINDOW SECONDS: screenshots of the window until one
# shows the loading card.
wait_for_loading() {
  local deadline=$((SECONDS + $3))
  while [ $SECONDS -le $deadline ]; do
    shot_window "$1" "$2" && looks_like_loading "$1" && return 0
  done
  return 1
}

above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

run_scene_checks() {
  start_display
  declare -F prepare_target >/dev/null && prepare_target
  launch
  local dialog gl
  if dialog=$(wait_for find_dialog 60); then pass "the settings dialog opens"; else
    fail "the settings dialog opens"
    echo "$PROGRAM_NAME: FAIL ($failures of $checks checks)"
    exit 1
  fi
  sleep 1
  xdotool key --window "$dialog" Return
  if gl=$(wait_for find_gl 30); then pass "Start opens the GL window"; else fail "Start opens the GL window"; fi

  # Watched from the start, since without a sound device the loading picture
  # stays only as long as the loading itself.
  if wait_for_loading 01-loading "$gl" 10; then pass "the loading picture shows"; else fail "the loading picture shows"; fi

  # The welcome sound lasts 6.67 s; the scene follows.
  sleep 8
  local i reds=()
  for i in $(seq 0 19); do
    shot "scene-$i"
    reds+=("$(red_share "scene-$i")")
    sleep 0.25
  done
  local least=1 most=0 r
  for r in "${reds[@]}"; do
    above "$r" "$most" && most=$r
    above "$least" "$r" && least=$r
  done
  if above "$most" "$(awk -v l="$least" 'BEGIN { print l + 0.005 }')"; then
    pass "the spot light turns red on some frames and not on others ($least .. $most)"
  else
    fail "the spot light turns red on some frames and not on others ($least .. $most)"
  fi
  sleep 3
  shot scene-later
  if above "$(difference scene-0 scene-later)" 0.2; then pass "the camera moves"; else fail "the camera moves"; fi
  if above "$(brightness scene-later 1024x768+0+0)" 0.08; then pass "the room is lit"; else fail "the room is lit"; fi

  # F1 rebuilds the window in the other mode and the scene starts again with
  # its loading picture.
  local before=$gl deadline
  xdotool key --window "$gl" F1
  deadline=$((SECONDS + 20))
  while [ $SECONDS -le $deadline ]; do
    gl=$(find_gl) && [ -n "$gl" ] && [ "$gl" != "$before" ] && break
    sleep 0.2
  done
  if [ -n "$gl" ] && [ "$gl" != "$before" ]; then pass "F1 rebuilds the window"; else fail "F1 rebuilds the window"; fi
  if wait_for_loading loading-after-f1 "$gl" 10; then
    pass "after F1 the scene loads again from the start"
  else
    fail "after F1 the scene loads again from the start"
  fi
  sleep 9
  shot after-f1

  xdotool key --window "$gl" Escape
  local deadline=$((SECONDS + 20)) code=
  while [ $SECONDS -le $deadline ] && kill -0 "$APP_PID" 2>/dev/null; do sleep 0.2; done
  if kill -0 "$APP_PID" 2>/dev/null; then
    fail "Escape ends the program"
  else
    wait "$APP_PID"
    code=$?
    APP_PID=
    if [ "$code" = 0 ]; then pass "Escape ends the program with exit code 0"; else
      fail "Escape ends the program with exit code 0 (got $code)"
    fi
  fi

  verdict
}
