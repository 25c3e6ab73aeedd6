#!/usr/bin/env bash
# End to end on Linux: the program under its own Xvfb at 1024x768x24, driven
# with xdotool as a person would: window sizes windowed and full screen,
# frames only while active, F1, the full-screen question, and every way out
# ending with exit code 0 (lib/shell.sh lists the checks). Screenshots land
# in <build-dir>/e2e/shell_linux/.
#
# Usage: tests/e2e/shell_linux.sh <build-dir>
set -uo pipefail
PROGRAM_NAME=shell_linux
source "$(dirname "$0")/lib/shell.sh"
run_shell_checks "$@"
