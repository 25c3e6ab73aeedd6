#!/usr/bin/env bash
# The GL tests of the 32-bit Windows build, run under Wine in an Xvfb screen
# with Mesa, so the core is checked against the real Win32 API as well.
#   tests/e2e/gl_tests_wine.sh WIN32_BUILD_DIR
set -u
BUILD=$(cd "${1:?win32 build directory}" && pwd)
export WINEPREFIX=$BUILD/e2e/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null' EXIT

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
  fi
  cd "'"$BUILD"'" && wine bin/gl_tests.exe
'
