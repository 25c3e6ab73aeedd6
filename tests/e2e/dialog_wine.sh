#!/usr/bin/env bash
# End to end on Windows: corvane.exe (32- or 64-bit) under Wine in its own Xvfb
# at 1024x768x24, driven with xdotool as a person would; the same checks as
# dialog_linux.sh (lib/dialog.sh). Screenshots land in
# <build-dir>/e2e/dialog_wine/.
#
# Usage: tests/e2e/dialog_wine.sh <windows-build-dir>
set -uo pipefail
PROGRAM_NAME=dialog_wine
source "$(dirname "$0")/lib/dialog.sh"
run_dialog_checks "$@"
