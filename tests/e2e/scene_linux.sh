#!/usr/bin/env bash
# The show end to end on Linux under Xvfb, started as a person would: Start
# in the dialog, the loading picture, the scene with its blinking red spot
# light and moving camera, F1 to a window, Escape to quit (lib/scene.sh).
#   tests/e2e/scene_linux.sh BUILD_DIR
set -uo pipefail
PROGRAM_NAME=scene_linux
source "$(dirname "$0")/lib/scene.sh"
run_scene_checks "$@"
