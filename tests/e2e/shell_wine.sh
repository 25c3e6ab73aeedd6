#!/usr/bin/env bash
# End to end: a Windows build (32- or 64-bit) under Wine in a private Xvfb screen of
# 1024 x 768 x 24, driven with xdotool as a person would.
#
#   tests/e2e/shell_wine.sh <windows-build-dir>
#
# Runs corvane.exe several times from an empty working directory (no settings
# file) and checks:
#   - the settings dialog (when the build carries it): 800x600 windowed is
#     chosen with the mouse and the keyboard and started;
#   - the window titled "DECK_NINE_by_Quillmark" appears with a client area of
#     exactly the chosen size;
#   - Escape ends the program with exit code 0;
#   - closing the window (Alt+F4) ends it with exit code 0;
#   - frames use the processor continuously while the window is active and
#     not at all while another application has the focus;
#   - F1 rebuilds the window in the other mode keeping its client size; as
#     the screen offers no 800 x 600 mode, it asks first (Yes: rebuilt
#     windowed; No: "Can't create Wnd" and the program ends with 0);
#   - the dialog's initial choices give a full-screen window of 1024 x 768;
#   - a full-screen size the display can't take asks whether to go on
#     windowed: Yes gives a window of that client size, No ends the program
#     after "Program Will Now Close." and "OpenGL Initialization Failed.",
#     with exit code 0.
# Screenshots and logs go to <windows-build-dir>/e2e-shell-wine/. Wine keeps
# its own prefix under the build directory; its first start takes a while.
set -u

if [ $# -ne 1 ] || [ ! -f "$1/bin/corvane.exe" ]; then
    echo "usage: $0 <windows-build-dir containing bin/corvane.exe>" >&2
    exit 2
fi
BUILD=$(cd "$1" && pwd)
EXE=$BUILD/bin/corvane.exe
OUT=$BUILD/e2e-shell-wine
TITLE=DECK_NINE_by_Quillmark
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.log

source "$(dirname "$0")/lib/wine.sh"
wine_env "$BUILD" || exit 1

FAILURES=0
XVFB_PID=""
PROGRAM_PID=""

fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}

cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    wine_stop  # only this prefix's server and its processes
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

# A display number nobody uses.
for n in $(seq 120 220); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        DISPLAY_NUMBER=$n
        break
    fi
done
Xvfb ":$DISPLAY_NUMBER" -screen 0 1024x768x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start"; exit 1; }

# The prefix is made once per build directory.
wine_prefix || exit 1
wine_ready || { echo "FAIL: Wine does not start"; exit 1; }

# --- helpers ----------------------------------------------------------------

RUN_DIR=$OUT/run
mkdir -p "$RUN_DIR"

# Call it directly, never inside $(...), which would wait for the program.
start_program() {
    rm -f "$RUN_DIR/corvane.cfg" "$RUN_DIR/exit_code"
    (
        cd "$RUN_DIR" && "$WINE" "$EXE"
        echo $? >"$RUN_DIR/exit_code"
    ) >>"$OUT/wine.log" 2>&1 &
    PROGRAM_PID=$!
}

# Waits up to $1 seconds for the program to end; prints its exit code.
wait_exit() {
    for _ in $(seq $(($1 * 5))); do
        [ -f "$RUN_DIR/exit_code" ] && break
        sleep 0.2
    done
    if [ -f "$RUN_DIR/exit_code" ]; then
        wait "$PROGRAM_PID" 2>/dev/null
        PROGRAM_PID=""
        cat "$RUN_DIR/exit_code"
    else
        echo "still running"
    fi
}

# Stops a program that did not end by itself, so the next case starts clean.
stop_program() {
    if [ -n "$PROGRAM_PID" ]; then
        wine_stop
        wait "$PROGRAM_PID" 2>/dev/null
        PROGRAM_PID=""
    fi
}

# Prints the id of the visible window with exactly this name, waiting up to
# $2 seconds; nothing if none appears.
wait_window() {
    for _ in $(seq $(($2 * 5))); do
        local id
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 0.2
    done
}

wait_gone() { # id seconds
    for _ in $(seq $(($2 * 5))); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return
        sleep 0.2
    done
}

# CPU time (user + system, in clock ticks) of the process running the
# program: the Wine process is the child of the subshell start_program made.
cpu_ticks() {
    local pid
    pid=$(pgrep -P "$PROGRAM_PID" | head -1)
    [ -n "$pid" ] && awk '{print $14 + $15}' "/proc/$pid/stat"
}

# The settings dialog: the program's visible window with an empty title.
wait_dialog() {
    for _ in $(seq $(($1 * 5))); do
        for id in $(xdotool search --onlyvisible --class corvane.exe 2>/dev/null); do
            if [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ]; then
                echo "$id"
                return
            fi
        done
        [ -n "$(xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null)" ] && return
        sleep 0.2
    done
}

geometry() { # id -> "X Y W H"
    xdotool getwindowgeometry --shell "$1" | awk -F= '
        /^X=/ {x=$2} /^Y=/ {y=$2} /^WIDTH=/ {w=$2} /^HEIGHT=/ {h=$2}
        END {print x, y, w, h}'
}

# Focus follows the pointer without a window manager: point at the window,
# then type.
press() { # id keys...
    local id=$1
    shift
    xdotool mousemove --window "$id" 5 5
    xdotool windowfocus "$id" 2>/dev/null
    sleep 0.3
    xdotool key "$@"
}

# Clicks the dialog at a point given in dialog units (the dialog is 150 x 119
# units; the controls' places are fixed in its template).
click_dialog() { # id x y
    read -r x y w h <<<"$(geometry "$1")"
    local px=$(($2 * w / 150)) py=$(($3 * h / 119))
    xdotool mousemove --window "$1" "$px" "$py" click 1
    sleep 0.3
}

shot() { import -window root "$OUT/$1.png" 2>/dev/null; }

# Chooses resolution entry $2 (0 = 1024x768, 1 = 800x600, ...) and, when $3
# is "windowed", unticks Full screen; then presses Start.
use_dialog() { # id entry windowed|fullscreen
    local dialog=$1
    # Resolution list (37, 33, 87 wide): open it, walk to the entry, take it.
    click_dialog "$dialog" 80 38
    xdotool key Home
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
    sleep 0.3
    # The "Fullscreen" box (53, 66).
    [ "$3" = windowed ] && click_dialog "$dialog" 58 71
    shot "dialog-$2-$3"
    # Start (7, 98, 32 x 14).
    click_dialog "$dialog" 23 105
}

# Brings the started program through the dialog; prints the GL window's id
# (nothing on failure).
through_dialog() { # entry windowed|fullscreen label
    local dialog
    dialog=$(wait_dialog 90)
    if [ -n "$dialog" ]; then
        use_dialog "$dialog" "$1" "$2"
    else
        echo "note: no settings dialog appeared ($3)" >&2
    fi
    wait_window "$TITLE" 60
}

check_client_size() { # id width height label
    read -r x y w h <<<"$(geometry "$1")"
    if [ "$w" != "$2" ] || [ "$h" != "$3" ]; then
        fail "$4: client area ${w}x${h}, expected $2x$3"
    fi
}

# --- cases ------------------------------------------------------------------

echo "Case: windowed 800x600, Escape"
start_program
window=$(through_dialog 1 windowed "escape")
if [ -z "$window" ]; then
    fail "escape: no window titled $TITLE"
else
    sleep 6  # past the first dark frames of the camera's way in
    check_client_size "$window" 800 600 "escape"
    shot windowed-800x600
    press "$window" Escape
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "escape: exit code $code"
fi
stop_program

echo "Case: windowed 800x600, closed with Alt+F4"
start_program
window=$(through_dialog 1 windowed "close")
if [ -z "$window" ]; then
    fail "close: no window titled $TITLE"
else
    sleep 1
    press "$window" alt+F4
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "close: exit code $code"
fi
stop_program

echo "Case: frames only while active; inactive, no processor time"
start_program
window=$(through_dialog 1 windowed "inactive")
if [ -z "$window" ]; then
    fail "inactive: no window titled $TITLE"
else
    xdotool windowfocus "$window"
    sleep 3
    before=$(cpu_ticks)
    sleep 3
    active_ticks=$(($(cpu_ticks) - before))
    # Another application takes the focus.
    xmessage -geometry +700+650 "another application" &
    other=$!
    other_window=$(wait_window xmessage 10)
    [ -n "$other_window" ] && xdotool windowfocus "$other_window" && xdotool mousemove --window "$other_window" 5 5
    sleep 2
    before=$(cpu_ticks)
    sleep 3
    inactive_ticks=$(($(cpu_ticks) - before))
    shot inactive
    kill "$other" 2>/dev/null
    echo "  processor time over 3 s: active $active_ticks ticks, inactive $inactive_ticks ticks"
    # The machine may be shared: ask for a tenth of a processor while active
    # and next to nothing while inactive.
    [ "$active_ticks" -ge 30 ] || fail "inactive: only $active_ticks ticks while active (frames not continuous?)"
    [ "$inactive_ticks" -le $((active_ticks / 10)) ] || fail "inactive: $inactive_ticks ticks while inactive"
    # A click brings the program back to the front: frames again.
    xdotool mousemove --window "$window" 100 100 click 1
    sleep 1
    before=$(cpu_ticks)
    sleep 3
    again_ticks=$(($(cpu_ticks) - before))
    echo "  after a click on the window: $again_ticks ticks"
    [ "$again_ticks" -ge 30 ] || fail "inactive: frames did not resume ($again_ticks ticks)"
    press "$window" Escape
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "inactive: exit code $code"
fi
stop_program

# The screen offers only its own 1024 x 768, so F1 from an 800 x 600 window
# asks the question of a refused mode.
echo "Case: F1 from windowed 800x600: refused full screen, Yes rebuilds the window"
start_program
window=$(through_dialog 1 windowed "F1, yes")
if [ -z "$window" ]; then
    fail "F1, yes: no window titled $TITLE"
else
    sleep 1
    press "$window" F1
    question=$(wait_window "Kestrel GL" 30)
    if [ -z "$question" ]; then
        fail "F1, yes: no question"
    else
        press "$question" y
        wait_gone "$window" 10
        window=$(wait_window "$TITLE" 30)
        if [ -z "$window" ]; then
            fail "F1, yes: no window after the rebuild"
        else
            sleep 3
            check_client_size "$window" 800 600 "F1, yes"
            shot f1-rebuilt-800x600
            press "$window" Escape
        fi
    fi
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "F1, yes: exit code $code"
fi
stop_program

echo "Case: F1 from windowed 800x600, answered No: the program ends"
start_program
window=$(through_dialog 1 windowed "F1, no")
if [ -z "$window" ]; then
    fail "F1, no: no window titled $TITLE"
else
    sleep 1
    press "$window" F1
    question=$(wait_window "Kestrel GL" 30)
    if [ -z "$question" ]; then
        fail "F1, no: no question"
    else
        press "$question" n
        closing=$(wait_window ERROR 20)
        [ -n "$closing" ] && press "$closing" Return && wait_gone "$closing" 10
        failed=$(wait_window Error 20)
        if [ -z "$failed" ]; then
            fail "F1, no: no \"Can't create Wnd\" box"
        else
            shot f1-no-cant-create
            press "$failed" Return
        fi
    fi
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "F1, no: exit code $code"
fi
stop_program

echo "Case: the dialog's initial choices, full screen 1024x768"
start_program
window=$(through_dialog 0 fullscreen "full screen")
if [ -z "$window" ]; then
    fail "full screen: no window titled $TITLE"
else
    sleep 6
    read -r x y w h <<<"$(geometry "$window")"
    [ "$x $y $w $h" = "0 0 1024 768" ] || fail "full screen: window at $x,$y size ${w}x$h, expected the whole screen"
    shot fullscreen-1024x768
    press "$window" Escape
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "full screen: exit code $code"
fi
stop_program

echo "Case: full screen 640x480, which the display can't take; answered Yes"
start_program
window=$(through_dialog 2 fullscreen "refused, yes")
question=$(wait_window "Kestrel GL" 30)
if [ -z "$question" ]; then
    fail "refused, yes: no question (was 640x480 accepted?)"
else
    shot question
    press "$question" y
    window=$(wait_window "$TITLE" 30)
    if [ -z "$window" ]; then
        fail "refused, yes: no window after Yes"
    else
        sleep 1
        check_client_size "$window" 640 480 "refused, yes"
        shot refused-yes-640x480
        press "$window" Escape
        code=$(wait_exit 20)
        [ "$code" = 0 ] || fail "refused, yes: exit code $code"
    fi
fi
stop_program

echo "Case: full screen 640x480 refused, answered No"
start_program
through_dialog 2 fullscreen "refused, no" >/dev/null
question=$(wait_window "Kestrel GL" 30)
if [ -z "$question" ]; then
    fail "refused, no: no question"
else
    press "$question" n
    closing=$(wait_window ERROR 20)
    if [ -z "$closing" ]; then
        fail "refused, no: no \"Program Will Now Close.\" box"
    else
        shot refused-no-closing
        press "$closing" Return
        wait_gone "$closing" 10
        failed=$(wait_window ERROR 20)
        if [ -z "$failed" ]; then
            fail "refused, no: no \"OpenGL Initialization Failed.\" box"
        else
            shot refused-no-failed
            press "$failed" Return
        fi
    fi
    code=$(wait_exit 20)
    [ "$code" = 0 ] || fail "refused, no: exit code $code"
fi
stop_program

if [ "$FAILURES" -eq 0 ]; then
    echo "PASS shell_wine: window and client size, frames only while active, F1, full screen, the refused-mode question; every end with exit code 0 (screenshots in $OUT)"
    exit 0
fi
echo "FAIL shell_wine: $FAILURES failure(s) (screenshots and logs in $OUT)"
exit 1
