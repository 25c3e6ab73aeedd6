#!/usr/bin/env bash
# End to end on Windows: corvane.exe (32- or 64-bit) under Wine in its own
# Xvfb at 1024x768x24, driven with xdotool as a person would; the same checks
# as shell_linux.sh (lib/shell.sh). Screenshots land in
# <windows-build-dir>/e2e/shell_wine/.
#
# Usage: tests/e2e/shell_wine.sh <windows-build-dir>
set -uo pipefail
PROGRAM_NAME=shell_wine
SHOTS=$(cd "${1:?usage: shell_wine.sh <windows-build-dir>}" && pwd)/e2e/shell_wine
source "$(dirname "$0")/lib/shell.sh"
use_build "$1"
need Xvfb xdotool xwininfo xmessage import compare python3
run_shell_checks
