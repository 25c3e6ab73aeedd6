#!/usr/bin/env bash
# The show end to end for Windows: the 32-bit corvane.exe under Wine in its
# own Xvfb, with the same checks as scene_linux.sh. The Wine prefix lives in
# the build directory and is made on first use.
#   tests/e2e/scene_wine.sh WIN32_BUILD_DIR
set -u
BUILD=$(cd "${1:?win32 build directory}" && pwd)
PROGRAM=$BUILD/bin/corvane.exe
PROGRAM_NAME=scene_wine
SHOTS=$BUILD/e2e/scene_wine
export WINEPREFIX=$BUILD/e2e/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
source "$(dirname "$0")/lib/scene.sh"

cleanup_target() { wineserver -k 2>/dev/null; }

launch() {
  (cd "$WORK" && exec wine "$PROGRAM") >>"$WORK/program.log" 2>&1 &
  APP_PID=$!
}

# The dialog has no caption: it is the program's visible untitled window
# bigger than a drop-down list.
find_dialog() {
  local id w h
  for id in $(xdotool search --onlyvisible --classname '^corvane\.exe$' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] || continue
    read -r w h < <(xwininfo -id "$id" | awk '/^  Width/ {w=$2} /^  Height/ {h=$2} END {print w, h}')
    [ "${w:-0}" -ge 150 ] && [ "${h:-0}" -ge 100 ] && { echo "$id"; return 0; }
  done
  return 1
}
find_gl() {
  local id
  for id in $(xdotool search --onlyvisible --name '^DECK_NINE_by_Quillmark$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = DECK_NINE_by_Quillmark ] && { echo "$id"; return 0; }
  done
  return 1
}

prepare_target() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
  fi
}

run_scene_checks
