#!/usr/bin/env bash
# End to end on Windows: corvane.exe (32- or 64-bit) under Wine in its own
# Xvfb at 1024x768x24, driven with xdotool as a person would; the same checks
# as shell_linux.sh (lib/shell.sh). Screenshots land in
# <windows-build-dir>/e2e/shell_wine/.
#
# Usage: tests/e2e/shell_wine.sh <windows-build-dir>
set -uo pipefail
PROGRAM_NAME=shell_wine
source "$(dirname "$0")/lib/shell.sh"
run_shell_checks "$@"
