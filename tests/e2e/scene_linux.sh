#!/usr/bin/env bash
# The show end to end on Linux under Xvfb, started as a person would: Start
# in the dialog, the loading picture, the scene with its blinking red spot
# light and moving camera, F1 to a window, Escape to quit.
#   tests/e2e/scene_linux.sh BUILD_DIR
set -u
BUILD=$(cd "${1:?build directory}" && pwd)
PROGRAM="$BUILD/bin/corvane"
PROGRAM_NAME=scene_linux
SHOTS="$BUILD/e2e-shots/scene_linux"
source "$(dirname "$0")/lib/scene.sh"

launch() {
  (cd "$WORK" && SDL_AUDIODRIVER=dummy exec "$PROGRAM") >>"$WORK/program.log" 2>&1 &
  APP_PID=$!
}
find_dialog() { titled Corvane; }
find_gl() { titled DECK_NINE_by_Quillmark; }

run_scene_checks
