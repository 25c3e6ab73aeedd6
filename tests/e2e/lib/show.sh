# The show driven as a person would, shared by the shell and desktop
# end-to-end scripts: processor time, whether the picture moves, a window
# manager's close request, the settings dialog filled in. Includes
# target.sh (and the harness): the script calls use_build.

source "$(dirname "${BASH_SOURCE[0]}")/target.sh"

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

# expect_frames WHAT: the check that frames use the processor (a second).
expect_frames() {
  local ticks
  ticks=$(ticks_over 1)
  expect "frames $1 ($ticks ticks in 1 s)" [ "$ticks" -ge 5 ]
}

# idle_check WHAT: no processor time for 2 s but what the audio thread uses.
# For a second after a window event the Linux program's waits wake ten
# times a second (SDL may hold a focus change back), so that second passes
# first: a few such wakes can add up to a tick.
idle_check() {
  local before_all before_loop after_all after_loop
  sleep 1
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
no_gl_window() { [ -z "$(find_gl)" ]; }

# close_request WINDOW: what a window manager sends when its close button is
# clicked (WM_DELETE_WINDOW), through libX11, since xdotool has no word for it.
close_request() {
  given "$1" close || return 1
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

# The settings dialog, as a person fills it in: the resolution and depth
# lists moved down from their first entries, the full-screen box as wanted,
# sound off (so no audio thread runs while the window is idle), then Start.
settle_dialog() {  # settle_dialog RESOLUTION-STEPS DEPTH-STEPS FULLSCREEN(yes|no) SHOT
  local dialog
  if ! dialog=$(wait_for find_dialog 60); then
    fail "the settings dialog opens (program $(kill -0 "$APP_PID" 2>/dev/null && echo running || echo gone))"
    tail -n 15 "$WORK/program.log" | sed 's/^/       | /'
    return 1
  fi
  local keys=(Tab Tab)  # Start -> Exit -> resolution list, in template order
  keys+=($(for _ in $(seq "$1"); do echo Down; done) Tab)
  keys+=($(for _ in $(seq "$2"); do echo Down; done) Tab)
  [ "$3" = no ] && keys+=(space)
  keys+=(Tab space)  # the sound box
  press "$dialog" "${keys[@]}"
  shot "dialog-$4"
  press "$dialog" Return
}
