#!/usr/bin/env bash
# The Windows archive end to end. Makes it with CPack from a Windows build
# (corvane-<version>-win32.zip, or -win64 from a 64-bit build), then checks
# that it holds exactly corvane.exe, corvane.scr, README.txt and
# THIRD-PARTY-NOTICES.txt, all at the top, the programs built for the
# build's architecture, that the notices carry the licences of the runtimes
# linked into them, and that the README says how to install the screen saver. Then, unpacked into a folder
# of its own, `corvane.scr /s` runs under Wine in its own Xvfb and shows the
# scene over the whole screen (lit, moving, the spot light going red and
# back), and a mouse move ends it with exit code 0. A 32-bit build on a
# machine that cannot run 32-bit programs skips that step (status 77).
# Screenshots land in <build-dir>/e2e/package_zip_wine/.
#
# Usage: tests/e2e/package_zip_wine.sh <windows-build-dir>
set -uo pipefail

source "$(dirname "$0")/lib/scene.sh"
in_build "${1:-}"
need cpack unzip Xvfb xdotool import convert compare od
[ -f "$BUILD/CPackConfig.cmake" ] || { echo "$PROGRAM_NAME: FAIL (no CPack configuration in $BUILD)"; exit 1; }
cleanup_target() { wine_stop; }

echo "making the archive"
(cd "$BUILD" && cpack -G ZIP -B "$WORK/dist") >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; exit 1; }
ZIP=$(ls "$WORK"/dist/corvane-*.zip 2>/dev/null | head -n 1)
[ -n "$ZIP" ] || { echo "$PROGRAM_NAME: FAIL (CPack made no archive)"; exit 1; }
ARCH=$(pe_arch "$BUILD/bin/corvane.exe") || { echo "$PROGRAM_NAME: FAIL (no Windows build in $BUILD)"; exit 1; }
named_for() { [[ "$(basename "$ZIP")" =~ ^corvane-[0-9]+\.[0-9]+\.[0-9]+(\+[a-z]+)?-$1\.zip$ ]]; }
expect "it is named corvane-<version>-$ARCH.zip ($(basename "$ZIP"))" named_for "$ARCH"

contents=$(unzip -Z1 "$ZIP" | sort | tr '\n' ' ')
expect "it holds exactly README.txt, THIRD-PARTY-NOTICES.txt and the programs (${contents% })" \
  [ "$contents" = "README.txt THIRD-PARTY-NOTICES.txt corvane.exe corvane.scr " ]
UNPACKED=$WORK/Corvane
mkdir -p "$UNPACKED"
unzip -q "$ZIP" -d "$UNPACKED"
for program in corvane.exe corvane.scr; do
  expect "$program is a $ARCH program" [ "$(pe_arch "$UNPACKED/$program")" = "$ARCH" ]
done
expect "README.txt says how to keep the screen saver listed (the system folder)" \
  grep -q 'copy corvane.scr into C:\\Windows\\System32' "$UNPACKED/README.txt"
for runtime in "GCC RUNTIME LIBRARY EXCEPTION" "Zope Public License" "winpthreads"; do
  expect "the notices carry $runtime" grep -q "$runtime" "$UNPACKED/THIRD-PARTY-NOTICES.txt"
done
windows_lines() { [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ]; }
expect "README.txt has Windows line endings" windows_lines "$UNPACKED/README.txt"

if [ "$ARCH" = win32 ] && ! can_run_32bit; then
  if [ "$failures" -gt 0 ]; then verdict; fi
  echo "$PROGRAM_NAME: SKIP (the archive's files are right; this machine cannot run 32-bit programs, so corvane.scr /s is not run)"
  exit 77
fi
if [ ! -f "$UNPACKED/corvane.scr" ]; then
  fail "corvane.scr /s shows the scene (there is no corvane.scr to run)"
  verdict
fi

echo "corvane.scr /s from the unpacked archive"
wine_env "$BUILD"
start_display
wine_prefix || { fail "a Wine prefix can be made"; verdict; }
reason=$(wine_ready) || { fail "Wine starts programs ($reason)"; verdict; }
xdotool mousemove 512 384
(cd "$UNPACKED" && exec "$WINE" ./corvane.scr /s) >"$WORK/saver.log" 2>&1 &
APP_PID=$!
check_scene scr

xdotool mousemove 700 600
sleep 0.3
xdotool mousemove 200 150
finished 15
expect "a mouse move ends the screen saver with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]

verdict
