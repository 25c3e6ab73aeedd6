#!/usr/bin/env bash
# End to end: the program of a Linux build, or of a Windows build (32- or
# 64-bit) under Wine, under its own Xvfb at 1024x768x24, driven with xdotool
# as a person would: window sizes windowed and full screen, frames only while
# active, F1, the full-screen question, and every way out ending with exit
# code 0 (lib/shell.sh lists the checks). Screenshots land in
# <build-dir>/e2e/shell/.
#
# Usage: tests/e2e/shell.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/shell.sh"
run_shell_checks "$@"
