#!/usr/bin/env bash
# End to end: the settings dialog of a Linux build, or of a Windows build
# (32- or 64-bit) under Wine, under its own Xvfb at 1024x768x24, driven with
# xdotool as a person would. Checks that it opens centred with every control
# drawn, that its countdown counts down once a second and starts the show
# full screen at 1024x768 29 s after opening, that About opens "About
# Corvane" while the countdown goes on and changes no choice, that a settings
# file changes nothing the dialog gives (in either direction), that 320x200 /
# 8 bits / unticked boxes start a 320x200 window, and that Exit, Escape and
# Alt+F4 end the program with exit code 0 and no GL window (lib/dialog.sh).
# Screenshots land in <build-dir>/e2e/dialog/.
#
# Usage: tests/e2e/dialog.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/dialog.sh"
use_build "${1:-}"
need Xvfb xdotool xwininfo import convert gocr
start_display
target_ready
echo "$PROGRAM_NAME: DISPLAY=$DISPLAY, program ${PROGRAM[*]}"

echo "untouched, with a settings file of 320x200 windowed: the countdown, then the show by itself"
echo "320 200 8 0 0" >"$WORK/corvane.cfg"
if dialog_opens; then
  pass "the dialog appears (${DIALOG_W}x${DIALOG_H} at ${DIALOG_X},${DIALOG_Y})"
  expect "it is centred on the 1024x768 screen" \
    [ $((DIALOG_X * 2 + DIALOG_W - 1024)) -ge -2 -a $((DIALOG_X * 2 + DIALOG_W - 1024)) -le 2 -a \
      $((DIALOG_Y * 2 + DIALOG_H - 768)) -ge -2 -a $((DIALOG_Y * 2 + DIALOG_H - 768)) -le 2 ]
  watch_countdown "$SHOTS/countdown.log"
  check_countdown "$SHOTS/countdown.log"
  if show_opens; then
    expect "the show starts full screen at 1024x768 whatever the file said" sized "$GL" 1024 768 0 0
    shot autostart
    end_show
  fi
fi
finished 1

echo "the dialog's controls; 320x200, 8 bits, both boxes unticked over a file of full screen, About, then Start"
echo "1024 768 32 1 1" >"$WORK/corvane.cfg"
if dialog_opens; then
  check_controls_drawn
  # Start has the focus; Tab goes Exit, resolution list, depth list,
  # Fullscreen, Sound. End picks a list's last entry (320x200, 8 bits).
  press "$DIALOG_ID" Tab Tab End Tab End Tab space Tab space
  shot chosen-before-about
  click_unit 74 105
  if about=$(wait_for find_about 10); then
    pass "About shows \"About Corvane\""
    shot about
    countdown=$(read_countdown)
    sleep 1.3
    later=$(read_countdown)
    expect "the countdown goes on while About is open (${countdown}, then ${later})" \
      [ -n "$countdown" -a -n "$later" ] && [ "${later:-99}" -lt "${countdown:-0}" ]
    press "$about" Return
    expect "the About box closes" gone find_about 5
    expect "the dialog is still open" [ -n "$(find_dialog)" ]
    shot chosen-after-about
  else
    fail "About shows \"About Corvane\""
  fi
  # About has the focus now, so Enter would open it again: click Start.
  click_unit 23 105
  if show_opens; then
    expect "About and the file left the choices: Start opens a 320x200 window" sized "$GL" 320 200
    shot window-320x200
    end_show
  fi
fi
finished 1
rm -f "$WORK/corvane.cfg"

for way in Exit Escape alt+F4; do
  echo "ending the dialog with $way"
  if dialog_opens; then
    if [ "$way" = Exit ]; then
      focus "$DIALOG_ID"
      click_unit 126 105
    else
      press "$DIALOG_ID" "$way"
    fi
    finished 30 find_gl
    expect "$way ends the program with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]
    expect "no GL window was made" [ "$GL_SEEN" = no ]
  fi
  finished 1
done

verdict
