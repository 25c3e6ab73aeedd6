#!/usr/bin/env bash
# End to end: corvane.scr, the Windows screen saver, under Wine in a private
# Xvfb screen of 1024 x 768 x 24, driven with xdotool as Windows and a person
# would drive it.
#
#   tests/e2e/scr_wine.sh <windows-build-dir>
#
# Checks, in this order:
#   - the files: string resource 1 names the saver, and it imports only
#     system DLLs; corvane.scr and corvane.exe each carry a manifest declaring
#     per-monitor DPI awareness and a version resource with the project's
#     version and their own description;
#   - bad input: an unknown switch and a /p handle naming no window each show
#     a message box, and the saver ends with status 0 once it is answered;
#   - /c shows the settings as stored, out-of-range registry values clamped;
#     OK writes them back; a second /c turns the frame-rate line on and sets
#     the pause between frames;
#   - /s covers the whole screen with the scene (no pixel of the root, made
#     magenta, shows) and shows the frame-rate line it was set to; a second
#     /s meanwhile ends at once; a mouse move ends the first with status 0,
#     and a key press ends another;
#   - on a display scaled to 144 dpi, under a window manager, /s still covers
#     every pixel, and activating another X window (an xterm) ends it with
#     status 0 within 2 s;
#   - /p for the window of a stand-in preview host draws inside it, and ends
#     with status 0 when the host destroys the window.
# Screenshots land in <windows-build-dir>/e2e/scr_wine/.
set -uo pipefail

source "$(dirname "$0")/lib/scene.sh"
source "$(dirname "$0")/lib/desktop.sh"
use_build "${1:-}"
need Xvfb xdotool xwininfo xprop xsetroot xterm openbox import convert gocr x86_64-w64-mingw32-objdump \
  x86_64-w64-mingw32-windres
SCR=$BUILD/bin/corvane.scr
EXE=$BUILD/bin/corvane.exe
HOST=$BUILD/bin/corvane-preview-host.exe
for file in "$SCR" "$EXE" "$HOST"; do
  [ -f "$file" ] || abort "no $file"
done

find_message() { titled Corvane; }
find_settings() { titled "Corvane Screen Saver Settings"; }
find_host() { titled "Corvane preview host"; }
find_other() { titled "another program"; }
saver_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$cover" ] && echo "$cover"; }
becomes_active() { wait_for saver_active 10 >/dev/null; }
# The full-screen saver: a window of the saver's covering the whole screen.
find_cover() {
  local id w h x y
  for id in $(xdotool search --onlyvisible --classname '^corvane\.scr$' 2>/dev/null); do
    read -r w h x y < <(geometry "$id")
    [ "$w $h $x $y" = "1024 768 0 0" ] && { echo "$id"; return 0; }
  done
  return 1
}

# run_scr ARGS...: the saver started with these switches (start_program).
run_scr() { PROGRAM=("$WINE" "$SCR" "$@"); start_program; }
# ends_with_0 SECONDS LABEL: the check that the saver ends in time with 0.
# Whatever is left of one that did not is ended, so the next case starts
# clean.
ends_with_0() {
  finished "$1"
  if [ "$EXIT_CODE" = 0 ]; then pass "$2"; else fail "$2 ($EXIT_CODE)"; wine_stop; fi
}
# Nothing of this build's saver is left once a case is over. Wine shows the
# path the Windows way; the preview host names the saver on its command line
# and is left out.
SCR_PATTERN="$(sed 's|[/\\]|[/\\\\]|g; s|\.|\\.|g' <<<"${SCR#/}")"
saver_processes() { pgrep -af "$SCR_PATTERN" | grep -v corvane-preview-host; }
none_left() { gone saver_processes 5 || { saver_processes | sed 's/^/  left: /'; return 1; }; }

registry() { "$WINE" reg "$@" >>"$WORK/reg.log" 2>&1; }
# stored NAME: the DWORD under HKCU\Software\Corvane, in decimal.
stored() {
  local value
  value=$("$WINE" reg query 'HKCU\Software\Corvane' /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v n="$1" '$1 == n { print $3 }')
  [ -n "$value" ] && printf '%d' "$value"
}

# The share (0..1) of a screenshot's pixels where the magenta root shows.
uncovered() { convert "$SHOTS/$1.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' -format "%[fx:mean]" info:; }
# The frame-rate line top left, read with gocr: "NN fps".
fps_text() {
  convert "$SHOTS/$1.png" -crop 160x24+0+0 +repage -colorspace Gray -scale 300% -threshold 15% -negate \
    "$WORK/fps.pnm"
  gocr "$WORK/fps.pnm" 2>/dev/null | tr -d '\n'
}

# answered FINDER LABEL SHOT: the saver's window shows (the check LABEL), a
# screenshot, and Enter answers it.
answered() {
  local box
  box=$(wait_for "$1" 30) || { fail "$2"; return 1; }
  pass "$2"
  sleep 0.5
  shot "$3"
  xdotool key --window "$box" Return 2>/dev/null
}
# answer_message LABEL SHOT: the saver's message box shows, is answered, and
# the saver ends with status 0 leaving nothing behind.
answer_message() {
  answered find_message "$1: a message box explains it" "$2"
  ends_with_0 15 "$1: ends with status 0"
  expect "$1: nothing left running" none_left
}

echo "The files"
# What Windows needs of a .scr file: the name to list it under in string 1,
# and nothing to load beside it but the system's own DLLs.
resources() { x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | tr -d '\r'; }
resources "$SCR" >"$WORK/resources.rc"
expect "string resource 1 is \"Corvane\"" grep -q '^ *1, "Corvane"$' "$WORK/resources.rc"
# Both programs: the manifest (resource 1 of type 24) declares per-monitor
# DPI awareness, and the version resource carries the project's version.
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
IFS=. read -r major minor patch <<<"$VERSION"
manifest_and_version() {  # FILE DESCRIPTION
  local rc
  rc=$(resources "$1")
  grep -q '^1 24 ' <<<"$rc" && grep -q '>PerMonitorV2</dpiAwareness>' <<<"$rc" &&
    grep -q '>true/pm</dpiAware>' <<<"$rc" && grep -q "^ *FILEVERSION $major, $minor, $patch, 0$" <<<"$rc" &&
    grep -q "VALUE \"FileVersion\", \"$VERSION\"" <<<"$rc" && grep -q 'VALUE "ProductName", "Corvane"' <<<"$rc" &&
    grep -q "VALUE \"FileDescription\", \"$2\"" <<<"$rc"
}
expect "corvane.scr carries the DPI-aware manifest and version $VERSION" \
  manifest_and_version "$SCR" "Corvane screen saver"
expect "corvane.exe carries the DPI-aware manifest and version $VERSION" manifest_and_version "$EXE" "Corvane"
imports=$(x86_64-w64-mingw32-objdump -p "$SCR" | awk '/DLL Name:/ { print tolower($3) }' | sort -u | xargs)
system_dlls_only() {
  local dll
  for dll in $imports; do
    case $dll in
      advapi32.dll | gdi32.dll | glu32.dll | kernel32.dll | msvcrt.dll | ole32.dll | oleaut32.dll | \
        opengl32.dll | user32.dll | winmm.dll) ;;
      *) return 1 ;;
    esac
  done
}
expect "it imports only system DLLs ($imports)" system_dlls_only

start_display
# Wherever no window covers the screen, the root shows magenta.
xsetroot -solid '#ff00ff'
target_ready
registry delete 'HKCU\Software\Corvane' /f

echo "Bad input"
run_scr /x
answer_message "an unknown switch" bad-switch
run_scr /p 987654
answer_message "/p naming no window" bad-window

echo "Settings"
# Out of range as a careless tool might leave them.
registry add 'HKCU\Software\Corvane' /v Sound /t REG_DWORD /d 0 /f
registry add 'HKCU\Software\Corvane' /v ShowFps /t REG_DWORD /d 0 /f
registry add 'HKCU\Software\Corvane' /v Delay /t REG_DWORD /d 0x7fffffff /f
run_scr /c
answered find_settings "/c shows the settings" settings-clamped
ends_with_0 15 "OK ends /c with status 0"
expect "a delay out of range is read clamped, and OK stores it (Delay $(stored Delay))" \
  test "$(stored Delay) $(stored ShowFps) $(stored Sound)" = "10000000 0 0"

# No switch at all is Windows' way of asking for the settings too.
run_scr
if settings=$(wait_for find_settings 30); then
  sleep 0.5
  # Alt+F ticks "Show the frame rate"; Alt+P selects the pause for typing.
  xdotool key --window "$settings" alt+f alt+p 2>/dev/null
  xdotool type --window "$settings" 20000 2>/dev/null
  shot settings-changed
  xdotool key --window "$settings" Return 2>/dev/null
fi
ends_with_0 15 "OK ends /c again"
expect "/c stores the frame-rate line and the pause" test "$(stored ShowFps) $(stored Delay)" = "1 20000"

echo "Full screen"
run_scr /s
if cover=$(wait_for find_cover 30); then pass "/s covers the whole screen"; else fail "/s covers the whole screen"; fi
# The line is read while the camera is still on its dark way in.
for _ in $(seq 10); do
  sleep 0.5
  shot cover-fps
  text=$(fps_text cover-fps)
  grep -q 'fps' <<<"$text" && break
done
expect "/s shows the frame-rate line it was set to (read \"$text\")" grep -q '[0-9] *fps' <<<"$text"
lit_cover() { shot cover && above "$(brightness cover 1024x768+0+0)" 0.05; }
expect "/s shows the lit scene" eventually 20 lit_cover
expect "/s leaves no pixel of the screen uncovered" test "$(uncovered cover)" = 0

# A second /s meanwhile: only one runs at a time.
first=$APP_PID
rm -f "$WORK/second"
(cd "$WORK" && "$WINE" "$SCR" /s >>"$WORK/scr.log" 2>&1; echo $? >"$WORK/second") &
second=$!
eventually 10 test -f "$WORK/second"
expect "a second /s ends at once with status 0" test "$(cat "$WORK/second" 2>/dev/null)" = 0
wait "$second" 2>/dev/null
expect "the first /s goes on" kill -0 "$first"

xdotool mousemove 600 500
ends_with_0 10 "a mouse move ends /s with status 0"
expect "nothing left after /s" none_left

# The longest pause between frames still ends at the first key, not after
# the pause (the end itself takes about two seconds under Wine).
registry add 'HKCU\Software\Corvane' /v Delay /t REG_DWORD /d 10000000 /f
run_scr -S
if cover=$(wait_for find_cover 30); then
  sleep 2
  xdotool key space 2>/dev/null
  ends_with_0 5 "a key press ends -S with status 0 at once, even with 10 s between frames"
else
  fail "-S covers the whole screen"
  finished 0
  wine_stop
fi
registry add 'HKCU\Software\Corvane' /v Delay /t REG_DWORD /d 20000 /f

echo "Scaled display, another program"
# 144 dpi (150 %); the saver declares itself DPI-aware, so its window and
# its picture are in physical pixels. A window manager for this case, so
# that an X window can be activated.
registry add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f
# The manager first: a window mapped while it starts up may stay unmapped.
start_openbox || fail "the window manager starts"
xterm -title "another program" 2>/dev/null &
xterm_pid=$!
other=$(wait_for find_other 30) || fail "another program's window shows"
run_scr /s
if cover=$(wait_for find_cover 30); then
  pass "/s at 144 dpi covers the whole screen"
  sleep 2
  shot cover-144dpi
  expect "/s at 144 dpi leaves no pixel of the screen uncovered" test "$(uncovered cover-144dpi)" = 0
  # Once the saver is the active window, another takes the activation.
  expect "/s is the active window" becomes_active
  given "$other" activate && xdotool windowactivate "$other" 2>/dev/null
  ends_with_0 2 "activating another window ends /s with status 0 within 2 s"
else
  fail "/s at 144 dpi covers the whole screen"
  finished 0
  wine_stop
fi
kill "$xterm_pid" "$WM_PID" 2>/dev/null
wait "$xterm_pid" "$WM_PID" 2>/dev/null
registry delete 'HKCU\Control Panel\Desktop' /v LogPixels /f

echo "Preview"
# Wine shows nothing that one process draws in another's window, so the
# picture is looked at where it can be seen (on Windows) and the host tells
# what it finds in its window: the saver's child filling it.
rm -f "$WORK/host-status"
(cd "$WORK" && "$WINE" "$HOST" "$SCR" 6 >"$WORK/host.log" 2>&1; echo $? >"$WORK/host-status") &
host_pid=$!
if host=$(wait_for find_host 30); then
  pass "the preview host opens its window"
  sleep 4
  shot preview
else
  fail "the preview host opens its window"
fi
eventually 30 test -f "$WORK/host-status"
wait "$host_pid" 2>/dev/null
tr -d '\r' <"$WORK/host.log" | sed 's/^/  host: /'
expect "/p puts a visible child window of its own over the whole preview window" \
  grep -q "child window 320x240 of the saver's process, visible" "$WORK/host.log"
expect "/p ends with status 0 when the host destroys its window" test "$(cat "$WORK/host-status" 2>/dev/null)" = 0
expect "nothing left after /p" none_left

verdict
