#!/usr/bin/env bash
# The Windows installer, made as scripts/package makes it from both builds:
# the icon (16 to 256 px) read back from its four programs; its manifest asks
# for administrator rights (Wine grants them to all who ask, so a refusal is
# not run); with a throw-away certificate everything verifies as signed, and
# a missing certificate or a wrong key is refused with the reason. Then under
# Wine, in the 64-bit and the 32-bit prefix: /S installs that architecture's
# programs (PE headers), the uninstall key and the Start-menu shortcut,
# leaving the user's screen saver alone; corvane.scr /s from the system
# folder shows the scene; /S uninstalls it all; an older version, the new one
# over it with /SCREENSAVER, the programs deleted by hand, and /S removes the
# rest. The installer is 32-bit: without 32-bit execution the Wine part is
# skipped (status 77). Screenshots: <win64-build-dir>/e2e/installer_wine/.
#
# Usage: tests/e2e/installer_wine.sh <win32-build-dir> <win64-build-dir>
set -uo pipefail
W32=$(cd "${1:?usage: installer_wine.sh <win32-build> <win64-build>}" && pwd) W64=$(cd "${2:?}" && pwd)
source "$(dirname "$0")/lib/scene.sh"
source "$(dirname "$0")/lib/wine.sh"
in_build "$W64"
cleanup_target() { wine_stop; }
need makensis wrestool icotool strings cmake Xvfb xdotool import
MAKE="$(cd "$(dirname "$0")/../.." && pwd)/packaging/windows/make-installer.sh"

# make_installer DIR [VERSION]: the installer's path; signed when CORVANE_SIGN_* are set.
make_installer() { "$MAKE" "$W32" "$W64" "$WORK/$1" ${2:+"$2"} 2>"$WORK/$1.err" | tail -n 1; }
signing=$(command -v osslsigncode >/dev/null && command -v openssl >/dev/null && echo yes)
certificate() {  # certificate NAME: NAME.pem and NAME.key, for code signing, valid for a day
  openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Corvane test $1" \
    -addext extendedKeyUsage=codeSigning -keyout "$WORK/$1.key" -out "$WORK/$1.pem" 2>/dev/null
}
verified() { osslsigncode verify -CAfile "$WORK/test.pem" -in "$1" >/dev/null 2>&1; }
refused() {  # refused DIR REASON: no installer, the reason said
  ! ls "$WORK/$1"/*.exe >/dev/null 2>&1 && grep -q "$2" "$WORK/$1.err"
}
if [ -n "$signing" ] && certificate test && certificate other; then
  INSTALLER=$(CORVANE_SIGN_CERT=$WORK/test.pem CORVANE_SIGN_KEY=$WORK/test.key make_installer new)
  for file in "$INSTALLER" "$WORK"/new/stage/win*/corvane.*; do expect "${file#"$WORK"/new/} is signed" verified "$file"; done
  CORVANE_SIGN_CERT=$WORK/missing.pem CORVANE_SIGN_KEY=$WORK/test.key make_installer missing >/dev/null
  expect "a missing certificate: refused with the reason, no installer" refused missing "no such file: .*missing.pem"
  CORVANE_SIGN_CERT=$WORK/test.pem CORVANE_SIGN_KEY=$WORK/other.key make_installer wrong >/dev/null
  expect "a key not the certificate's: refused with the reason, no installer" refused wrong "does not belong"
else
  echo "  skip signing (osslsigncode or openssl is not installed)"
  signing=
  INSTALLER=$(unset CORVANE_SIGN_CERT CORVANE_SIGN_KEY; make_installer new)
fi
[ -f "$INSTALLER" ] || { cat "$WORK/new.err"; fail "the installer is made"; verdict; }
OLD=$(unset CORVANE_SIGN_CERT CORVANE_SIGN_KEY; make_installer old 0.9.0)
VERSION=$(basename "$INSTALLER" -setup.exe)
VERSION=${VERSION#corvane-}

icon_sizes() {  # icotool reads an icon from a file, not a pipe
  wrestool -x -t14 "$1" -o "$WORK/icon.ico" 2>/dev/null
  icotool -l "$WORK/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | xargs
}
for program in "$WORK"/new/stage/win*/corvane.*; do
  sizes=$(icon_sizes "$program")
  expect "${program#"$WORK"/new/stage/}: the icon at 16 to 256 px ($sizes)" [ "$sizes" = "16 20 24 32 40 48 64 256" ]
done
expect "the installer asks for administrator rights" \
  sh -c "wrestool -x --raw -t24 '$INSTALLER' | grep -q 'level=\"requireAdministrator\"'"

if ! can_run_32bit; then
  [ "$failures" -gt 0 ] && verdict
  unavailable "the installer is made; this machine cannot run 32-bit programs such as the installer"
fi

run() { "$WINE" "$@" >/dev/null 2>&1; local status=$?; "$WINESERVER" -w; return $status; }
# The key's values (Wine's reg says on standard output that a key is missing).
uninstall_key() { "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane' 2>/dev/null | tr -d '\r' | grep REG_; }
screen_saver() { "$WINE" reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE 2>/dev/null | tr -d '\r' | awk '/SCRNSAVE/ {print $3}'; }
has() { [[ "$1" == *"$2"* ]]; }
ended_clean() { [ "$status" = 0 ] && nothing_left; }
nothing_left() { [ ! -e "$DIR" ] && [ ! -e "$SCR" ] && [ ! -e "$LINK" ] && [ -z "$(uninstall_key)" ]; }

start_display
for BUILD in "$W64" "$W32"; do
  wine_env "$BUILD"
  ARCH=$WINEARCH C=$WINEPREFIX/drive_c
  DIR="$C/Program Files/Corvane" SCR=$C/windows/system32/corvane.scr
  LINK="$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvane.lnk"
  echo "the $ARCH prefix"
  wine_prefix && reason=$(wine_ready) || { fail "Wine starts programs in the $ARCH prefix ($reason)"; continue; }
  [ -f "$DIR/uninstall.exe" ] && run "$DIR/uninstall.exe" /S  # left by an interrupted run
  saver_before=$(screen_saver)

  run "$INSTALLER" /S
  status=$?
  expect "$ARCH: /S installs (status $status)" test "$status" = 0 -a -f "$DIR/uninstall.exe"
  expect "$ARCH: the $ARCH corvane.scr is in C:\\windows\\system32" [ "$(pe_arch "$SCR")" = "$ARCH" ]
  expect "$ARCH: the $ARCH corvane.exe is in C:\\Program Files\\Corvane" [ "$(pe_arch "$DIR/corvane.exe")" = "$ARCH" ]
  expect "$ARCH: the notices are installed" [ -s "$DIR/THIRD-PARTY-NOTICES.txt" ]
  key=$(uninstall_key)
  for value in "DisplayName    REG_SZ    Corvane" "DisplayVersion    REG_SZ    $VERSION" "Publisher    REG_SZ    Corvane Developers" \
    'DisplayIcon    REG_SZ    C:\Program Files\Corvane\corvane.exe' 'UninstallString    REG_SZ    "C:\Program Files\Corvane\uninstall.exe"'; do
    expect "$ARCH: the uninstall key holds ${value//    / }" has "$key" "$value"
  done
  expect "$ARCH: the Start-menu shortcut runs the installed corvane.exe" \
    sh -c "strings -a '$LINK' | grep -qxF 'C:\\Program Files\\Corvane\\corvane.exe'"
  expect "$ARCH: the user's screen saver is left alone" [ "$(screen_saver)" = "$saver_before" ]
  [ -n "$signing" ] && expect "$ARCH: the uninstaller it wrote is signed" verified "$DIR/uninstall.exe"

  xdotool mousemove 512 384
  (cd "$C/windows/system32" && exec "$WINE" 'C:\windows\system32\corvane.scr' /s) >"$WORK/saver.log" 2>&1 &
  APP_PID=$!
  check_scene "scr-$ARCH"
  xdotool mousemove 700 600
  finished 15
  expect "$ARCH: a mouse move ends it with status 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]

  run "$DIR/uninstall.exe" /S
  expect "$ARCH: /S uninstalls: no files, key or shortcut left" nothing_left

  run "$OLD" /S
  run "$INSTALLER" /S /SCREENSAVER
  expect "$ARCH: over the older version, $VERSION is installed" has "$(uninstall_key)" "DisplayVersion    REG_SZ    $VERSION"
  expect "$ARCH: /SCREENSAVER makes it the user's screen saver" [ "$(screen_saver)" = 'C:\windows\System32\corvane.scr' ]
  rm -f "$DIR/corvane.exe" "$SCR"
  run "$DIR/uninstall.exe" /S
  status=$?
  expect "$ARCH: with the programs deleted by hand, /S uninstalls the rest (status $status)" ended_clean
  expect "$ARCH: and the user's screen saver is no longer Corvane" [ -z "$(screen_saver)" ]
  wine_stop
done
verdict
