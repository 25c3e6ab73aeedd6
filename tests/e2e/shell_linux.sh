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

# find_window NAME-REGEX [SECONDS]: the newest visible window whose name
# matches, or nothing when none appears in time.
find_window() {
  local deadline=$((SECONDS + ${2:-10})) id
  while [ $SECONDS -le $deadline ]; do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# gone NAME-REGEX [SECONDS]: true once no visible window matches.
gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -le $deadline ]; do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

# placement WINDOW: "WIDTHxHEIGHT+X+Y" of the window itself (its client area;
# there is no window manager, so no frame).
placement() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /^  Width/ {w=$2} /^  Height/ {h=$2} END {print w "x" h "+" x "+" y}'
}

# Processor time in clock ticks from /proc: utime + stime, read past the
# thread name (which may hold spaces).
ticks_of() { sed 's/^.*) //' "$1" 2>/dev/null | awk '{print $12 + $13}' || echo 0; }

# The whole process, and the process without the sound service's audio
# thread (SDLAudio*), which plays on by itself and is reported apart.
process_ticks() { ticks_of "/proc/$APP_PID/stat"; }
loop_ticks() {
  local total=0 task
  for task in /proc/"$APP_PID"/task/*; do
    case $(cat "$task/comm" 2>/dev/null) in SDLAudio*) continue ;; esac
    total=$((total + $(ticks_of "$task/stat")))
  done
  echo "$total"
}

# ticks_over SECONDS [loop]: processor time used meanwhile.
ticks_over() {
  local reader=${2:-process}_ticks before after
  before=$($reader)
  sleep "$1"
  after=$($reader)
  echo $((after - before))
}

# idle_check WHAT: no processor time for 2 s but what the audio thread uses.
idle_check() {
  local before_all before_loop after_all after_loop
  before_all=$(process_ticks)
  before_loop=$(loop_ticks)
  sleep 2
  after_all=$(process_ticks)
  after_loop=$(loop_ticks)
  expect "no processor time while $1 ($((after_loop - before_loop)) ticks in 2 s; with the audio thread $((after_all - before_all)))" \
    [ $((after_loop - before_loop)) -eq 0 ]
}

# screen_changes: whether two screenshots 1.5 s apart differ (the frame
# counter alone changes once a second).
screen_changes() {
  import -window root "$WORK/a.png" 2>/dev/null
  sleep 1.5
  import -window root "$WORK/b.png" 2>/dev/null
  local differing
  differing=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" /dev/null 2>&1 | cut -d' ' -f1)
  [ "${differing:-0}" != "0" ]
}
screen_still() { ! screen_changes; }
no_gl_window() { ! xdotool search --name "^$TITLE\$" >/dev/null 2>&1; }

# close_request WINDOW: what a window manager sends when its close button is
# clicked (WM_DELETE_WINDOW), through libX11, since xdotool has no word for it.
close_request() {
  python3 - "$1" <<'PYTHON'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to an XEvent
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

display = x.XOpenDisplay(None)
if not display:
    sys.exit(1)
event = ClientMessage()
event.type = 33  # ClientMessage
event.window = int(sys.argv[1])
event.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.format = 32
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
sent = x.XSendEvent(display, event.window, 0, 0, ctypes.byref(event))
x.XFlush(display)
x.XCloseDisplay(display)
sys.exit(0 if sent else 1)
PYTHON
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.3; }

# press WINDOW KEY...: keys typed into a window that has the focus.
press() {
  local window=$1
  shift
  focus "$window"
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.15
  done
}

start_program() {
  (cd "$WORK" && exec "$PROGRAM") >"$WORK/program.log" 2>&1 &
  APP_PID=$!
}

# finished [SECONDS]: waits for the program (killing it when it outlives
# the wait) and leaves its exit code, or "running", in EXIT_CODE. Runs in
# this shell, the program's parent, so that wait can see the exit code.
EXIT_CODE=
finished() {
  [ -n "$APP_PID" ] || return 0
  local deadline=$((SECONDS + ${1:-10}))
  while kill -0 "$APP_PID" 2>/dev/null && [ $SECONDS -le $deadline ]; do sleep 0.2; done
  if kill -0 "$APP_PID" 2>/dev/null; then
    EXIT_CODE=running
    kill "$APP_PID" 2>/dev/null
    sleep 1
    kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  else
    wait "$APP_PID"
    EXIT_CODE=$?
  fi
  # What the program said, when it did not end cleanly.
  [ "$EXIT_CODE" != 0 ] && tail -n 15 "$WORK/program.log" | sed 's/^/       | /'
  APP_PID=
}

# The settings dialog, as a person fills it in: the resolution and depth
# lists moved down from their first entries, the full-screen box as wanted,
# sound off (so no audio thread runs while the window is idle), then Start.
# Without the dialog the program goes on with 1024x768, 32 bits, windowed.
# DIALOG_SEEN tells whether this run showed the dialog; once one run has,
# every later run must.
DIALOG_SEEN=no
DIALOG_EXISTS=no
settle_dialog() {  # settle_dialog RESOLUTION-STEPS DEPTH-STEPS FULLSCREEN(yes|no) SHOT
  local dialog
  DIALOG_SEEN=no
  if ! dialog=$(find_window '^Corvane$' 15); then
    if [ "$DIALOG_EXISTS" = yes ]; then
      fail "the settings dialog opens (program $(kill -0 "$APP_PID" 2>/dev/null && echo running || echo gone))"
      tail -n 15 "$WORK/program.log" | sed 's/^/       | /'
      xdotool search --name '' getwindowname %@ 2>/dev/null | sort | uniq -c | sed 's/^/       windows: /'
    fi
    return 0
  fi
  DIALOG_SEEN=yes
  DIALOG_EXISTS=yes
  focus "$dialog"
  local keys=(Tab Tab)  # Start -> Exit -> resolution list, in template order
  keys+=($(for _ in $(seq "$1"); do echo Down; done) Tab)
  keys+=($(for _ in $(seq "$2"); do echo Down; done) Tab)
  [ "$3" = no ] && keys+=(space)
  keys+=(Tab space)  # the sound box
  press "$dialog" "${keys[@]}"
  shot "dialog-$4"
  press "$dialog" Return
}

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
