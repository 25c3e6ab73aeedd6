#!/usr/bin/env bash
# The GL tests of a Windows build (32- or 64-bit), run under Wine in an Xvfb
# screen with Mesa, so the core is checked against the real Win32 API as well.
#   tests/e2e/gl_tests_wine.sh WINDOWS_BUILD_DIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:?windows build directory}" && pwd)
source "$HERE/lib/wine.sh"
wine_env "$BUILD" || exit 1
trap wine_stop EXIT

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  source "'"$HERE"'/lib/wine.sh"
  wine_prefix || exit 1
  wine_ready || exit 1
  cd "'"$BUILD"'" && "$WINE" bin/gl_tests.exe
'
