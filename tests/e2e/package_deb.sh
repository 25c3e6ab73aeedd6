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
# light going red and back), listed by corvane-saver-enable, which is checked
# on a fresh home, twice over, on a file xscreensaver-settings wrote and on
# files it must refuse; MATE's screen saver shows the scene through the
# package's screen-saver entry and ends it; the hack, run in MATE's
# environment without --sound, prints nothing and opens no audio device; the
# three programs without a display end at once with their reason; the purge
# removes every file it installed.
# Screenshots land in <build-dir>/e2e/package_deb/.
#
# Usage: tests/e2e/package_deb.sh <build-dir>   (as root: it installs)
set -uo pipefail

source "$(dirname "$0")/lib/dialog.sh"
source "$(dirname "$0")/lib/scene.sh"
source "$(dirname "$0")/lib/desktop.sh"
in_build "${1:-}"
[ "$(id -u)" = 0 ] || unavailable "installing the package needs root"
need cpack dpkg-deb dpkg-shlibdeps apt-get lintian desktop-file-validate appstreamcli man xscreensaver \
  xscreensaver-command xscreensaver-settings setpriv Xvfb xdotool xwininfo import convert identify compare \
  gocr mate-screensaver mate-screensaver-command dbus-run-session gsettings strace
[ -f "$BUILD/CPackConfig.cmake" ] || { echo "$PROGRAM_NAME: FAIL (no CPack configuration in $BUILD)"; exit 1; }

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
for page in man6/corvane.6 man6/corvane-saver.6 man1/corvane-saver-enable.1 man1/corvane-model.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$ROOT_FS/usr/share/man/$page.gz" 2>&1 >"$WORK/page.txt")
  expect "the manual page $page renders without warnings${warnings:+ ($warnings)}" \
    [ -z "$warnings" -a -s "$WORK/page.txt" ]
done

for file in usr/bin/corvane usr/bin/corvane-model usr/bin/corvane-saver-enable usr/libexec/xscreensaver/corvane-saver \
            usr/share/xscreensaver/config/corvane-saver.xml usr/share/doc/corvane/copyright \
            usr/share/doc/corvane/changelog.Debian.gz; do
  expect "it holds /$file" [ -f "$ROOT_FS/$file" ]
done
# Its copyright file names no third-party licence: that holds while the
# programs carry no runtime of their own, only load the system's.
for file in usr/bin/corvane usr/bin/corvane-model usr/bin/corvane-saver-enable usr/libexec/xscreensaver/corvane-saver; do
  expect "/$file loads the C++ runtime, carries none" sh -c "readelf -d '$ROOT_FS/$file' | grep -q 'NEEDED.*libstdc++'"
done
# The entry screen-saver hosts (MATE) read: it must run the hack the package
# installs, where MATE runs hacks from.
ENTRY=$ROOT_FS/usr/share/applications/screensavers/corvane-saver.desktop
entry_key() { sed -n "s/^$1=//p" "$ENTRY"; }
expect "desktop-file-validate passes the screen-saver entry" desktop-file-validate "$ENTRY"
expect "the entry's Exec runs the installed hack with --root ($(entry_key Exec))" \
  [ "$(entry_key Exec)" = "/usr/libexec/xscreensaver/corvane-saver --root" ]
expect "the entry's TryExec names the installed hack ($(entry_key TryExec))" \
  [ "$(entry_key TryExec)" = /usr/libexec/xscreensaver/corvane-saver -a -x "$ROOT_FS$(entry_key TryExec)" ]
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
  check_controls_drawn
  press "$dialog" Escape
  finished 30
  expect "Escape ends it with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]
else
  fail "the installed corvane shows its settings dialog"
  finished 1
fi

echo "corvane-saver-enable as user nobody"
nobody_home
mkdir -p "$WORK/written" "$WORK/bad"
chown nobody "$WORK/written" "$WORK/bad"
enable() { as_nobody corvane-saver-enable >/dev/null 2>"$WORK/enable.err"; }
enable
expect "on a fresh home it makes ~/.xscreensaver listing the hack" \
  grep -q 'GL:.*corvane-saver --root' "$NOBODY_HOME/.xscreensaver"
cp "$NOBODY_HOME/.xscreensaver" "$WORK/made"
enable
expect "run again, it changes nothing" cmp -s "$WORK/made" "$NOBODY_HOME/.xscreensaver"

# xscreensaver-settings writes its file once a hack is ticked off in its list.
setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$WORK/written" DISPLAY="$DISPLAY" \
  PATH=/usr/bin:/bin xscreensaver-settings >/dev/null 2>&1 &
settings=$!
find_settings() { xdotool search --onlyvisible --name '^XScreenSaver: .* Settings$' 2>/dev/null | head -n 1; }
written() { [ -s "$WORK/written/.xscreensaver" ] && echo yes; }
if window=$(wait_for find_settings 30); then
  sleep 2
  read -r _ _ x y < <(geometry "$window")
  xdotool mousemove $((x + 36)) $((y + 235)) click 1  # a tick in the list of hacks
fi
wait_for written 10 >/dev/null
kill "$settings" 2>/dev/null
wait "$settings" 2>/dev/null
if [ -s "$WORK/written/.xscreensaver" ]; then
  cp "$WORK/written/.xscreensaver" "$WORK/before"
  NOBODY_HOME=$WORK/written enable
  diff "$WORK/before" "$WORK/written/.xscreensaver" >"$WORK/enable.diff"
  expect "on a file xscreensaver-settings wrote it adds one entry and changes nothing else ($(grep '^[<>]' "$WORK/enable.diff"))" \
    eval '[ "$(grep -c "^[<>]" "$WORK/enable.diff")" = 1 ] && grep -q "^> .*GL:.*corvane-saver --root" "$WORK/enable.diff"'
  expect "it keeps the file as it was beside it" cmp -s "$WORK/before" "$WORK/written/.xscreensaver.corvane-backup"
else
  fail "xscreensaver-settings writes ~/.xscreensaver when a hack is ticked off"
fi
for case in garbled foreign; do
  if [ $case = garbled ]; then
    printf 'timeout:\t0:10:00\nthis is no setting\n' >"$WORK/bad/.xscreensaver"
    chown nobody "$WORK/bad/.xscreensaver"
  else
    printf 'timeout:\t0:10:00\n' >"$WORK/bad/.xscreensaver"
    chown root "$WORK/bad/.xscreensaver"
  fi
  cp "$WORK/bad/.xscreensaver" "$WORK/before"
  NOBODY_HOME=$WORK/bad enable
  status=$?
  expect "a $case file is refused with status 1 and one reason ($(cat "$WORK/enable.err"))" \
    [ "$status" = 1 -a "$(wc -l <"$WORK/enable.err")" = 1 ]
  expect "a $case file is left as it was" cmp -s "$WORK/before" "$WORK/bad/.xscreensaver"
done

echo "xscreensaver as user nobody, with the list corvane-saver-enable made"
start_xscreensaver "mode: one" "selected: 0" "timeout: 0:30:00"
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
  check_scene saver
else
  shot saver-missing
  fail "xscreensaver starts corvane-saver when activated (screenshot saver-missing)"
  tail -n 5 "$WORK/xscreensaver.log"
fi
as_nobody xscreensaver-command -deactivate >/dev/null 2>&1
stop_xscreensaver

echo "MATE's screen saver, theme screensavers-corvane-saver"
MATE_HOME=$WORK/mate
mkdir -p "$MATE_HOME"
env -i HOME="$MATE_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin dbus-run-session -- sh -c '
  echo "$DBUS_SESSION_BUS_ADDRESS" >"$HOME/bus"
  gsettings set org.mate.screensaver mode single &&
  gsettings set org.mate.screensaver themes "[\"screensavers-corvane-saver\"]" &&
  gsettings set org.mate.screensaver lock-enabled false &&
  exec mate-screensaver --no-daemon' >"$WORK/mate.log" 2>&1 &
SAVER_PID=$!
mate() { env -i HOME="$MATE_HOME" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="$(cat "$MATE_HOME/bus")" "$@"; }
mate_up() { [ -s "$MATE_HOME/bus" ] && mate mate-screensaver-command --query >/dev/null 2>&1 && echo up; }
# in_mate NAME: the process running NAME in this MATE session (by its home).
in_mate() {
  local pid
  for pid in $(pgrep -u root -f "(^|/)$1( |\$)"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$MATE_HOME" && { echo "$pid"; return 0; }
  done
  return 1
}
mate_hack() { in_mate corvane-saver; }
if wait_for mate_up 20 >/dev/null && mate mate-screensaver-command --activate >/dev/null &&
   hack=$(wait_for mate_hack 10); then
  pass "mate-screensaver --activate runs the hack within 10 s"
  tr '\0' '\n' <"/proc/$hack/environ" | grep -v '^XSCREENSAVER_WINDOW=' >"$WORK/mate.env"
  check_scene mate
  mate mate-screensaver-command --deactivate >/dev/null
  expect "--deactivate ends the hack within 2 s" gone mate_hack 2
else
  fail "mate-screensaver --activate runs the hack within 10 s"
  tail -n 5 "$WORK/mate.log"
fi
mate mate-screensaver-command --exit >/dev/null 2>&1
sleep 1
expect "nothing of MATE's screen saver or the hack is left running" \
  eval '! in_mate corvane-saver >/dev/null && ! in_mate mate-screensaver >/dev/null'

echo "the hack in MATE's environment without --sound: silent"
if [ -s "$WORK/mate.env" ]; then
  mapfile -t environment <"$WORK/mate.env"
  env -i "${environment[@]}" strace -f -qq -e trace=openat,connect -o "$WORK/strace.log" \
    /usr/libexec/xscreensaver/corvane-saver --root >/dev/null 2>"$WORK/silent.err" &
  tracer=$!
  sleep 5
  pkill -TERM -P "$tracer" -x corvane-saver
  wait "$tracer"
  expect "it prints nothing on standard error ($(head -c 200 "$WORK/silent.err"))" [ ! -s "$WORK/silent.err" ]
  sound=$(grep -E '/dev/snd|pulse/native|pipewire-0|/etc/pulse|alsa\.conf' "$WORK/strace.log" | head -n 3)
  expect "it opens no audio device or sound-server socket${sound:+ ($sound)}" [ -z "$sound" ]
else
  fail "the hack's environment under MATE is known"
fi

echo "no display: each program ends at once with its reason"
MODEL=$(dirname "$EMBLEM")/room.ms3d
for display in "" :59; do
  for run in "0 corvane" "1 /usr/libexec/xscreensaver/corvane-saver --root" "1 corvane-model view $MODEL"; do
    set -- $run
    status=$1
    shift
    started=$SECONDS
    if [ -n "$display" ]; then
      env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" timeout 10 "$@" >/dev/null 2>"$WORK/nodisplay.err"
    else
      env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u DISPLAY timeout 10 "$@" >/dev/null 2>"$WORK/nodisplay.err"
    fi
    got=$?
    took=$((SECONDS - started))
    expect "${display:-no DISPLAY}: $(basename "$1") ends in $took s with status $got and \"$(cat "$WORK/nodisplay.err")\"" \
      eval '[ $got = $status -a $took -le 5 -a "$(wc -l <"$WORK/nodisplay.err")" = 1 ] &&
            grep -q "${display:-DISPLAY is not set}" "$WORK/nodisplay.err"'
  done
done

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
