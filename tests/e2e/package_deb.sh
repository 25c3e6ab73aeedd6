#!/usr/bin/env bash
# The Debian package end to end. Makes it with CPack from the build, then:
# lintian reports no errors; the desktop entry, the AppStream metadata and the
# manual pages inside it pass desktop-file-validate, appstreamcli and
# man --warnings; it holds every file people and xscreensaver look for, with
# library dependencies filled in. Then it is installed with apt-get on this
# machine and purged again whatever happens: corvane from /usr/bin shows its
# settings dialog with every control drawn; corvane-model reports the
# package's version; xscreensaver, run as user nobody with "corvane-saver"
# given by bare name, shows the scene when activated (lit, moving, the spot
# light going red and back); the purge removes every file it installed.
# Screenshots land in <build-dir>/e2e/package_deb/.
#
# Usage: tests/e2e/package_deb.sh <build-dir>   (as root: it installs)
set -uo pipefail

BUILD=$(cd "${1:?usage: package_deb.sh <build-dir>}" && pwd)
PROGRAM_NAME=package_deb
SHOTS=$BUILD/e2e/package_deb
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

if [ "$(id -u)" != 0 ]; then
  echo "$PROGRAM_NAME: SKIP (installing the package needs root)"
  exit 77
fi
for tool in cpack dpkg-deb dpkg-shlibdeps apt-get lintian desktop-file-validate appstreamcli man xscreensaver \
            xscreensaver-command runuser Xvfb xdotool xwininfo import convert identify compare gocr; do
  command -v "$tool" >/dev/null || { echo "$PROGRAM_NAME: FAIL (missing $tool)"; exit 1; }
done
[ -f "$BUILD/CPackConfig.cmake" ] || { echo "$PROGRAM_NAME: FAIL (no CPack configuration in $BUILD)"; exit 1; }

source "$(dirname "$0")/lib/dialog.sh"
source "$(dirname "$0")/lib/saver_scene.sh"

APT=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300)
INSTALLED=no
SAVER_PID=
cleanup_target() {
  [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null && wait "$SAVER_PID" 2>/dev/null
  [ "$INSTALLED" = yes ] && "${APT[@]}" purge corvane >/dev/null 2>&1
}
# A stopped run still purges: the exit trap runs cleanup_target.
trap 'exit 143' TERM INT HUP

echo "making the package"
(cd "$BUILD" && cpack -G DEB -B "$WORK/dist") >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; exit 1; }
DEB=$(ls "$WORK"/dist/corvane_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || { echo "$PROGRAM_NAME: FAIL (CPack made no .deb)"; exit 1; }
VERSION=$(dpkg-deb -f "$DEB" Version)
expect "it is named corvane_<version>_amd64.deb ($(basename "$DEB"))" \
  [ "$(basename "$DEB")" = "corvane_${VERSION}_amd64.deb" ]

lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1
code=$?
sed 's/^/       /' "$WORK/lintian.log"
expect "lintian reports no errors" [ "$code" = 0 ]

dpkg-deb -x "$DEB" "$WORK/root"
ROOT_FS=$WORK/root
expect "desktop-file-validate passes" \
  desktop-file-validate "$ROOT_FS/usr/share/applications/io.github.corvane.Corvane.desktop"
expect "appstreamcli validate passes" \
  appstreamcli validate --no-net "$ROOT_FS/usr/share/metainfo/io.github.corvane.Corvane.metainfo.xml"
for page in man6/corvane.6 man6/corvane-saver.6 man1/corvane-model.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$ROOT_FS/usr/share/man/$page.gz" 2>&1 >"$WORK/page.txt")
  expect "the manual page $page renders without warnings${warnings:+ ($warnings)}" \
    [ -z "$warnings" -a -s "$WORK/page.txt" ]
done

for file in usr/bin/corvane usr/bin/corvane-model usr/libexec/xscreensaver/corvane-saver \
            usr/share/xscreensaver/config/corvane-saver.xml usr/share/doc/corvane/copyright \
            usr/share/doc/corvane/changelog.Debian.gz; do
  expect "it holds /$file" [ -f "$ROOT_FS/$file" ]
done
for size in 48 128 256; do
  icon=$ROOT_FS/usr/share/icons/hicolor/${size}x$size/apps/io.github.corvane.Corvane.png
  got=$(identify -format '%wx%h' "$icon" 2>/dev/null)
  expect "its $size-pixel icon is ${size}x$size (${got:-missing})" [ "$got" = "${size}x$size" ]
done
# Enlarged 8 times by whole pixels, the 256-pixel icon averages back to the
# emblem exactly.
EMBLEM=$(cd "$(dirname "$0")/../.." && pwd)/resources/bitmap227.bmp
icon=$ROOT_FS/usr/share/icons/hicolor/256x256/apps/io.github.corvane.Corvane.png
convert "$icon" -scale 32x32 "$WORK/icon-32.png"
differing=$(compare -metric AE "$WORK/icon-32.png" "$EMBLEM" null: 2>&1)
expect "the icon is the dialog's emblem ($differing pixels differ)" [ "$differing" = 0 ]
depends=$(dpkg-deb -f "$DEB" Depends)
expect "it depends on fonts-liberation and on the libraries the programs link (libsdl2, libgtk-3)" \
  eval '[[ "$depends" == *fonts-liberation* && "$depends" == *libsdl2-2.0-0* && "$depends" == *libgtk-3-0* ]]'
expect "it suggests xscreensaver and xscreensaver-gl" \
  [ "$(dpkg-deb -f "$DEB" Suggests)" = "xscreensaver, xscreensaver-gl" ]

echo "installing it"
INSTALLED=yes
if ! "${APT[@]}" install --no-install-recommends "$DEB" >"$WORK/install.log" 2>&1; then
  cat "$WORK/install.log"
  fail "apt-get installs the package"
  verdict
fi
pass "apt-get installs the package"
dpkg-query -L corvane >"$WORK/installed.list"
expect "corvane is found on the PATH in /usr/bin" [ "$(command -v corvane)" = /usr/bin/corvane ]
expect "corvane-model --version says \"corvane-model $VERSION\" ($(corvane-model --version 2>&1))" \
  [ "$(corvane-model --version 2>&1)" = "corvane-model ${VERSION%%+*}" ]

start_display
echo "$PROGRAM_NAME: DISPLAY=$DISPLAY"
find_dialog() { titled Corvane; }
find_gl() { titled DECK_NINE_by_Quillmark; }
(cd "$WORK" && exec corvane) >"$WORK/corvane.log" 2>&1 &
APP_PID=$!
if dialog=$(wait_for find_dialog 60); then
  pass "the installed corvane shows its settings dialog"
  measure_dialog "$dialog"
  settled
  sleep 0.5
  shot dialog
  check_controls_drawn
  press "$dialog" Escape
  finished 30
  expect "Escape ends it with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]
else
  fail "the installed corvane shows its settings dialog"
  finished 1
fi

echo "xscreensaver as user nobody, with corvane-saver by bare name"
HOME_DIR=$WORK/home
mkdir -p "$HOME_DIR"
chmod 711 "$WORK"
cat >"$HOME_DIR/.xscreensaver" <<'EOF'
mode:		one
selected:	0
splash:		False
fade:		False
unfade:		False
lock:		False
timeout:	0:30:00
programs:	GL: corvane-saver --root \n
EOF
chown -R nobody "$HOME_DIR"
as_nobody() { runuser -u nobody -- env HOME="$HOME_DIR" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"; }
as_nobody xscreensaver --no-splash >"$WORK/xscreensaver.log" 2>&1 &
SAVER_PID=$!
deadline=$((SECONDS + 20))
until as_nobody xscreensaver-command -version >/dev/null 2>&1 || [ $SECONDS -gt $deadline ]; do sleep 0.3; done
as_nobody xscreensaver-command -activate >/dev/null 2>&1
# The hack on this display (others may run xscreensaver as nobody too);
# xscreensaver names the screen in the DISPLAY it gives the hack.
hack_running() {
  local pid
  for pid in $(pgrep -u nobody -x corvane-saver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxE "DISPLAY=$DISPLAY(\.0)?" && { echo "$pid"; return 0; }
  done
  return 1
}
if hack=$(wait_for hack_running 10); then
  expect "xscreensaver runs the hack from /usr/libexec/xscreensaver" \
    [ "$(readlink "/proc/$hack/exe")" = /usr/libexec/xscreensaver/corvane-saver ]
  check_saver_scene saver
else
  shot saver-missing
  fail "xscreensaver starts corvane-saver when activated (screenshot saver-missing)"
  tail -n 5 "$WORK/xscreensaver.log"
fi
as_nobody xscreensaver-command -deactivate >/dev/null 2>&1
kill "$SAVER_PID" 2>/dev/null
wait "$SAVER_PID" 2>/dev/null
SAVER_PID=

echo "purging it"
if "${APT[@]}" purge corvane >"$WORK/purge.log" 2>&1; then
  INSTALLED=no
  pass "apt-get purges the package"
else
  cat "$WORK/purge.log"
  fail "apt-get purges the package"
fi
left=()
while read -r path; do
  [ -e "$path" ] && [ ! -d "$path" ] && left+=("$path")
done <"$WORK/installed.list"
expect "the purge removes every file it installed (${#left[@]} left: ${left[*]})" [ ${#left[@]} -eq 0 ]
expect "dpkg no longer knows it" eval '! dpkg-query -W -f="\${Status}" corvane 2>/dev/null | grep -q installed'

verdict
