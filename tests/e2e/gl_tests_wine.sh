#!/usr/bin/env bash
# The GL tests of a Windows build (32- or 64-bit), run under Wine in an Xvfb
# screen with Mesa, so the core is checked against the real Win32 API as well.
#   tests/e2e/gl_tests_wine.sh WINDOWS_BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/target.sh"
use_build "${1:-}"
need Xvfb
start_display
target_ready
(cd "$BUILD" && "$WINE" bin/gl_tests.exe)
