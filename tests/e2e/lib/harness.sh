# What every end-to-end script shares: a scratch directory, the pass/fail
# tally and its verdict, a private Xvfb screen, the program started and its
# exit code collected, windows waited for, measured and typed into, and
# screenshots. One meaning per name:
#   pass/fail/expect/verdict   the tally; verdict ends with its exit status
#   abort REASON               ends the script as failed, saying why
#   need TOOL... / unavailable REASON
#                              a script that cannot run here ends with
#                              status 77 and one line saying why
#   in_build DIR               BUILD, and SHOTS: DIR/e2e/PROGRAM_NAME, emptied
#   start_display              a private Xvfb screen, exported in DISPLAY
#   start_program / finished   PROGRAM (an array: a Wine build puts $WINE
#                              first) started in $WORK / waited for, its
#                              exit code in EXIT_CODE
#   eventually SECONDS CMD...  true once the command is, polled
#   wait_for / gone            a finder (a command naming a window, or
#                              nothing) polled until it names one / none;
#                              other_than makes a finder skip a window
#   titled NAME                the visible window named exactly NAME
#   geometry WINDOW            "WIDTH HEIGHT X Y" of its client area
#   sized WINDOW W H [X Y]     true once it is so
#   focus / press              the keyboard focus / keys typed into a window
#   shot NAME [WINDOW]         a screenshot of the screen, or of a window
#   above A B                  the number A is greater than B
# Every helper given a WINDOW fails at once when it is empty (an earlier wait
# found none): xwininfo and import would wait for a mouse click, and xdotool
# would type into whatever has the focus.
# PROGRAM_NAME is the script's name unless set; SHOTS, when set before the
# harness is included, is made and emptied as in_build does. A script may
# set SCREEN (the Xvfb screen, 1024x768x24 unless set) and define
# cleanup_target (run at exit, before the display goes). Every other library
# includes it; a script may take several.
[ -n "${HARNESS_LOADED:-}" ] && return 0
HARNESS_LOADED=yes

PROGRAM_NAME=${PROGRAM_NAME:-$(basename "$0" .sh)}
WORK=$(mktemp -d)
[ -n "${SHOTS:-}" ] && mkdir -p "$SHOTS" && rm -f "$SHOTS"/*.png
failures=0
checks=0
XVFB_PID=
APP_PID=
# No sound device on a test screen.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# ImageMagick on one thread: its pictures here are small, and starting a
# thread for each processor costs more than it saves on a busy machine.
export MAGICK_THREAD_LIMIT=1

cleanup_checks() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  declare -F cleanup_target >/dev/null && cleanup_target
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup_checks EXIT

pass() { checks=$((checks + 1)); echo "  ok   $*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "  FAIL $*"; }
expect() {  # expect DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# The verdict line, and the exit status that goes with it.
verdict() {
  [ "$checks" -gt 0 ] || fail "a check ran"
  if [ "$failures" -eq 0 ]; then
    echo "$PROGRAM_NAME: PASS ($checks checks${SHOTS:+; screenshots in $SHOTS})"
  else
    echo "$PROGRAM_NAME: FAIL ($failures of $checks checks failed${SHOTS:+; screenshots in $SHOTS})"
    exit 1
  fi
}

# abort REASON: the script cannot go on; it fails with this line.
abort() { echo "$PROGRAM_NAME: FAIL ($1)"; exit 1; }

# unavailable REASON: the script cannot run on this machine; scripts/test
# counts it as skipped, with this line as the reason.
unavailable() { echo "$PROGRAM_NAME: SKIP ($1)"; exit 77; }

# need TOOL...: every one installed, or the script cannot run here. The
# suite installs what its scripts use (scripts/lib/setup.sh), so this only
# ends a script run by hand on a machine set up otherwise.
need() {
  local tool missing=()
  for tool in "$@"; do command -v "$tool" >/dev/null || missing+=("$tool"); done
  [ ${#missing[@]} -eq 0 ] || unavailable "missing ${missing[*]}; scripts/lib/setup.sh lists the packages"
}

# in_build DIR: BUILD, the build directory, and SHOTS, its folder for this
# script's screenshots, emptied.
in_build() {
  BUILD=$(cd "${1:?usage: $PROGRAM_NAME.sh <build-dir>}" 2>/dev/null && pwd) ||
    abort "no build directory ${1:-}"
  SHOTS=$BUILD/e2e/$PROGRAM_NAME
  mkdir -p "$SHOTS" && rm -f "$SHOTS"/*.png
}

start_display() {
  Xvfb -displayfd 3 -screen 0 "${SCREEN:-1024x768x24}" -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  eventually 30 test -s "$WORK/display" || abort "Xvfb did not start"
  export DISPLAY=:$(cat "$WORK/display")
}

# start_program: PROGRAM run in $WORK, its output in $WORK/program.log
# (each run starts the log afresh); sets APP_PID.
start_program() {
  (cd "$WORK" && exec "${PROGRAM[@]}") >"$WORK/program.log" 2>&1 &
  APP_PID=$!
}

# finished SECONDS [FINDER]: waits for the program to end and sets EXIT_CODE
# to its exit code ("running" if it did not end in time, and is then killed,
# as the dialog's loop does not look at SIGTERM). Given a finder, GL_SEEN
# tells whether it named a window meanwhile. Not to be called in a $(...):
# only this shell can collect the program's exit code.
GL_SEEN=no
EXIT_CODE=
finished() {
  local deadline=$((SECONDS + $1)) finder=${2:-}
  GL_SEEN=no
  EXIT_CODE=
  [ -n "$APP_PID" ] || return 0
  while kill -0 "$APP_PID" 2>/dev/null && [ $SECONDS -le $deadline ]; do
    [ -n "$finder" ] && [ -n "$($finder)" ] && GL_SEEN=yes
    sleep 0.1
  done
  if kill -0 "$APP_PID" 2>/dev/null; then
    EXIT_CODE=running
    kill "$APP_PID" 2>/dev/null
    for _ in $(seq 30); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  else
    wait "$APP_PID"
    EXIT_CODE=$?
  fi
  # What the program said, when it did not end cleanly.
  [ "$EXIT_CODE" != 0 ] && [ -s "$WORK/program.log" ] && tail -n 15 "$WORK/program.log" | sed 's/^/       | /'
  APP_PID=
}

# eventually SECONDS COMMAND...: polls the command until it succeeds; false
# when it has not within SECONDS.
eventually() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# wait_for FINDER SECONDS [ARGS...]: polls a finder (given ARGS) until it
# names a visible window, and names it.
wait_for() {
  local finder=$1 deadline=$((SECONDS + $2)) id
  shift 2
  while [ $SECONDS -le $deadline ]; do
    id=$($finder "$@") && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# gone FINDER SECONDS [ARGS...]: true once the finder names no window.
gone() {
  local finder=$1 deadline=$((SECONDS + $2))
  shift 2
  while [ $SECONDS -le $deadline ]; do
    [ -z "$($finder "$@")" ] && return 0
    sleep 0.1
  done
  return 1
}

# other_than OLD FINDER [ARGS...]: the finder's window when it is not OLD,
# for waiting on a window made again (wait_for other_than 10 "$old" find_gl).
other_than() { local id; id=$("${@:2}") && [ -n "$id" ] && [ "$id" != "$1" ] && echo "$id"; }

# titled NAME: the visible window whose name is exactly NAME.
titled() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}

# given WINDOW WHAT: true when there is a window; otherwise says that there
# is none to WHAT, at once.
given() { [ -n "$1" ] || { echo "       (no window to $2)" >&2; return 1; }; }

# geometry WINDOW: "WIDTH HEIGHT X Y" of the window itself, its client area
# (a window manager's frame is a window around it).
geometry() {
  given "$1" measure || return 1
  timeout 5 xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^  Width/ {w=$2} /^  Height/ {h=$2} END {if (w != "") print w, h, x, y; else exit 1}'
}

# sized WINDOW WIDTH HEIGHT [X Y]: true once the window's client area has
# that size (and place), within 3 s: a window may be resized just after it
# shows. Says where it is when it does not.
sized() {
  local window=$1 deadline=$((SECONDS + 3))
  given "$window" measure || return 1
  shift
  until [[ "$(geometry "$window") " == "$* "* ]]; do
    [ $SECONDS -lt $deadline ] || { echo "       (the window is $(geometry "$window"))"; return 1; }
    sleep 0.1
  done
}

focus() {
  given "$1" focus || return 1
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.3
}

# press WINDOW KEY...: keys typed one by one into the window, given the focus.
press() {
  local window=$1 key
  shift
  focus "$window" || return 1
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.2
  done
}

# shot NAME [WINDOW]: $SHOTS/NAME.png, of the whole screen or of the
# window's client area alone.
shot() {
  local w h x y
  if [ $# -eq 1 ]; then timeout 10 import -window root "$SHOTS/$1.png" 2>/dev/null; return; fi
  read -r w h x y < <(geometry "$2") && [ -n "$y" ] &&
    timeout 10 import -window root -crop "${w}x$h+$x+$y" +repage "$SHOTS/$1.png" 2>/dev/null
}

# above A B: true when the number A is greater than B.
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
