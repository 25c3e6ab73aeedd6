#!/usr/bin/env bash
# End to end on Linux: the program under its own Xvfb at 1024x768x24, driven
# with xdotool as a person would. Checks the window's title and client size
# windowed and full screen, frames while active and none (no processor time)
# while inactive or minimised, Escape, Alt+F4 and a close request ending it
# with exit code 0, F1 switching modes with the client size kept, and the
# full-screen question for a size the display lacks (Yes goes on windowed;
# No ends after two message boxes). Screenshots land in
# <build-dir>/e2e/shell_linux/.
#
# Usage: tests/e2e/shell_linux.sh <build-dir>
set -uo pipefail

BUILD=$(cd "${1:?usage: shell_linux.sh <build-dir>}" && pwd)
PROGRAM=$BUILD/bin/corvane
SHOTS=$BUILD/e2e/shell_linux
TITLE=DECK_NINE_by_Quillmark
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

for tool in Xvfb xdotool xwininfo import compare python3; do
  command -v "$tool" >/dev/null || { echo "shell_linux: FAIL (missing $tool)"; exit 1; }
done
[ -x "$PROGRAM" ] || { echo "shell_linux: FAIL (no $PROGRAM)"; exit 1; }

PROGRAM_NAME=shell_linux
source "$(dirname "$0")/lib/harness.sh"
start_display
ROOT_WINDOW=$(xwininfo -root | awk '/Window id:/ {print $4}')
source "$(dirname "$0")/lib/show.sh"

echo "shell_linux: DISPLAY=$DISPLAY, program $PROGRAM"

# 1. Windowed at 800x600: title, client size, frames only while active,
#    minimising, F1 to a full-screen size the display lacks (Yes keeps it
#    windowed at the same size), then Escape.
echo "windowed 800x600"
start_program
settle_dialog 1 0 no windowed-800
if [ "$DIALOG_SEEN" = yes ]; then
  WINDOWED_SIZE=800x600
else
  WINDOWED_SIZE=1024x768
  echo "  (no settings dialog: the program starts windowed at $WINDOWED_SIZE)"
fi
if window=$(find_window "^$TITLE\$" 15); then
  pass "a window titled $TITLE"
  size=$(placement "$window")
  expect "windowed client area is $WINDOWED_SIZE (got $size)" [ "${size%%+*}" = "$WINDOWED_SIZE" ]
  shot windowed-loading
  sleep 3  # past the loading picture, so what follows measures frames
  shot windowed-active
  focus "$window"
  ticks=$(ticks_over 1)
  expect "frames while active ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]
  expect "the picture moves while active" screen_changes

  xdotool windowfocus "$ROOT_WINDOW"
  sleep 0.5
  idle_check inactive
  expect "the picture stands still while inactive" screen_still
  shot windowed-inactive

  focus "$window"
  ticks=$(ticks_over 1)
  expect "frames again once active ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]

  xdotool windowunmap --sync "$window"
  sleep 0.5
  idle_check minimised
  xdotool windowmap --sync "$window"
  focus "$window"
  ticks=$(ticks_over 1)
  expect "frames again once restored ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]

  # F1 asks for full screen at the same size; 1024x768 is the only mode
  # this display has, so 800x600 brings the question.
  press "$window" F1
  if [ "$WINDOWED_SIZE" = 800x600 ]; then
    if question=$(find_window '^Kestrel GL$' 10); then
      pass "F1 to 800x600 full screen asks whether to go on windowed"
      shot f1-question
      press "$question" Return  # the default answer, Yes
      expect "the question is answered" gone '^Kestrel GL$'
      if window=$(find_window "^$TITLE\$" 10); then
        size=$(placement "$window")
        expect "after Yes: windowed at 800x600 again (got $size)" [ "${size%%+*}" = 800x600 ]
        shot f1-yes-windowed
      else
        fail "after Yes: a window again"
      fi
    else
      fail "F1 to 800x600 full screen asks whether to go on windowed"
    fi
  else
    sleep 1
    window=$(find_window "^$TITLE\$" 10)
    size=$(placement "$window")
    expect "F1: full screen at 1024x768 (got $size)" [ "$size" = 1024x768+0+0 ]
  fi
  press "$window" Escape
  finished 10
  expect "Escape ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
else
  fail "a window titled $TITLE"
  finished 0
fi

# 2. Full screen at 1024x768, F1 to windowed keeping the client size, F1
#    back to full screen, then Alt+F4.
echo "full screen 1024x768"
start_program
settle_dialog 0 0 yes full-1024
if [ "$DIALOG_SEEN" = yes ]; then
  if window=$(find_window "^$TITLE\$" 15); then
    size=$(placement "$window")
    expect "full screen covers the 1024x768 display (got $size)" [ "$size" = 1024x768+0+0 ]
    sleep 3  # past the loading picture
    shot fullscreen
    press "$window" F1
    sleep 1
    if window=$(find_window "^$TITLE\$" 10); then
      size=$(placement "$window")
      expect "F1: windowed with the client size kept, 1024x768 (got $size)" [ "${size%%+*}" = 1024x768 ]
      sleep 3
      shot f1-windowed
      ticks=$(ticks_over 1)
      expect "frames after the rebuild ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]
      press "$window" F1
      sleep 1
      window=$(find_window "^$TITLE\$" 10)
      size=$(placement "$window")
      expect "F1 again: full screen at 1024x768 (got $size)" [ "$size" = 1024x768+0+0 ]
      press "$window" alt+F4
      finished 10
      expect "Alt+F4 ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
    else
      fail "F1: a window again"
    fi
  else
    fail "a full-screen window titled $TITLE"
  fi
else
  [ "$DIALOG_EXISTS" = no ] && echo "  (skipped: needs the settings dialog)"
fi
finished 0

# 3. Full screen at a size the display lacks: No ends the program after
#    "Program Will Now Close." and "OpenGL Initialization Failed.".
echo "full screen 640x480, answered No"
start_program
settle_dialog 2 0 yes full-640
if [ "$DIALOG_SEEN" = yes ]; then
  if question=$(find_window '^Kestrel GL$' 15); then
    pass "the full-screen question is asked"
    shot question
    press "$question" alt+n
    if box=$(find_window '^ERROR$' 10); then
      pass "after No: a first ERROR box"
      shot no-first-box
      press "$box" Return
      sleep 0.5
      if box=$(find_window '^ERROR$' 10); then
        pass "after No: a second ERROR box"
        shot no-second-box
        press "$box" Return
      else
        fail "after No: a second ERROR box"
      fi
    else
      fail "after No: a first ERROR box"
    fi
    expect "no GL window was made" no_gl_window
    finished 10
    expect "the program ends with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
  else
    fail "the full-screen question is asked"
  fi
else
  [ "$DIALOG_EXISTS" = no ] && echo "  (skipped: needs the settings dialog)"
fi
finished 0

# 4. Full screen at a size the display lacks, answered Yes: windowed at it;
#    then closed as the close button of a window manager would.
echo "full screen 640x480, answered Yes"
start_program
settle_dialog 2 0 yes full-640-yes
if [ "$DIALOG_SEEN" = yes ]; then
  if question=$(find_window '^Kestrel GL$' 15); then
    press "$question" alt+y
    if window=$(find_window "^$TITLE\$" 10); then
      size=$(placement "$window")
      expect "after Yes: windowed at 640x480 (got $size)" [ "${size%%+*}" = 640x480 ]
      shot question-yes-windowed
      close_request "$window"
      finished 10
      expect "closing the window ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
    else
      fail "after Yes: a window titled $TITLE"
    fi
  else
    fail "the full-screen question is asked"
  fi
else
  [ "$DIALOG_EXISTS" = no ] && echo "  (skipped: needs the settings dialog)"
fi
finished 0

# 5. F1 from windowed 800x600 to a full-screen size the display lacks,
#    answered No: the rebuild fails, "Can't create Wnd" follows, the program
#    ends through its loop with exit code 0.
echo "F1 to full screen 800x600, answered No"
start_program
settle_dialog 1 0 no windowed-800-no
if [ "$DIALOG_SEEN" = yes ]; then
  if window=$(find_window "^$TITLE\$" 15); then
    press "$window" F1
    if question=$(find_window '^Kestrel GL$' 10); then
      press "$question" alt+n
      if box=$(find_window '^ERROR$' 10); then
        press "$box" Return
        if box=$(find_window '^Error$' 10); then
          pass "after No: \"Can't create Wnd\" (caption Error)"
          shot f1-no-box
          press "$box" Return
        else
          fail "after No: \"Can't create Wnd\" (caption Error)"
        fi
      else
        fail "after No: \"Program Will Now Close.\""
      fi
      finished 10
      expect "a failed rebuild ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
    else
      fail "F1 to 800x600 full screen asks whether to go on windowed"
    fi
  else
    fail "a window titled $TITLE"
  fi
fi
finished 0

# 6. Exit in the dialog: no window, exit code 0.
if [ "$DIALOG_EXISTS" = yes ]; then
  echo "dialog Exit"
  start_program
  if dialog=$(find_window '^Corvane$' 15); then
    press "$dialog" Escape
    finished 10
    expect "Exit in the dialog ends the program with exit code 0 (got $EXIT_CODE)" [ "$EXIT_CODE" = 0 ]
    expect "no GL window was made" no_gl_window
  else
    fail "the settings dialog"
    finished 0
  fi
fi

verdict
