#!/usr/bin/env bash
# The show end to end for Windows: corvane.exe (32- or 64-bit) under Wine in
# its own Xvfb, with the same checks as scene_linux.sh. The Wine prefix lives
# in the build directory and is made on first use (lib/wine.sh).
#   tests/e2e/scene_wine.sh WINDOWS_BUILD_DIR
set -u
BUILD=$(cd "${1:?windows build directory}" && pwd)
PROGRAM=$BUILD/bin/corvane.exe
PROGRAM_NAME=scene_wine
SHOTS=$BUILD/e2e/scene_wine
source "$(dirname "$0")/lib/wine.sh"
wine_env "$BUILD" || exit 1
source "$(dirname "$0")/lib/scene.sh"

cleanup_target() { wine_stop; }

launch() {
  (cd "$WORK" && exec "$WINE" "$PROGRAM") >>"$WORK/program.log" 2>&1 &
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
  wine_prefix || exit 1
  wine_ready || { echo "$PROGRAM_NAME: FAIL (Wine does not start)"; exit 1; }
}

run_scene_checks
