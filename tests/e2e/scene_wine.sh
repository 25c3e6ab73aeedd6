#!/usr/bin/env bash
# The show end to end for Windows: corvane.exe (32- or 64-bit) under Wine in
# its own Xvfb, with the same checks as scene_linux.sh (lib/scene.sh).
#   tests/e2e/scene_wine.sh WINDOWS_BUILD_DIR
set -uo pipefail
PROGRAM_NAME=scene_wine
source "$(dirname "$0")/lib/scene.sh"
run_scene_checks "$@"
