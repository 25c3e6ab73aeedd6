# A desktop around the show for the desktop_* end-to-end scripts: Debian's
# openbox window manager and a private D-Bus session bus, and running as user
# nobody. Source it after harness.sh; the including script kills WM_PID and
# BUS_PID in its cleanup_target.

WM_PID=
BUS_PID=

# start_openbox: openbox on $DISPLAY with its stock settings; false when it
# does not come up within 10 s.
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
start_openbox() {
  HOME=$WORK openbox >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  eventually 10 wm_up
}

# start_session_bus: a session bus of its own, exported in
# DBUS_SESSION_BUS_ADDRESS; false when it does not come up within 10 s.
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >/dev/null 2>&1 &
  BUS_PID=$!
  eventually 10 test -s "$WORK/bus" || return 1
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
  export DBUS_SESSION_BUS_ADDRESS
}

# activate WINDOW: asks the window manager to raise and focus it.
activate() {
  given "$1" activate || return 1
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowactivate "$1"
  sleep 0.5
}

# Programs as user nobody, for Debian's xscreensaver, which starts nothing as
# root. nobody_home: NOBODY_HOME, a home in $WORK that nobody owns, and
# nobody let onto the display (made once a client holds a connection: Xvfb
# forgets the grant when its last client leaves). as_nobody COMMAND...: the
# command as nobody, with that home, the display, and nothing else of this
# environment (no session bus).
NOBODY_HOME=
nobody_home() {
  [ "$(id -u)" = 0 ] || unavailable "needs root to run programs as user nobody"
  id nobody >/dev/null 2>&1 || unavailable "no user nobody"
  chmod 711 "$WORK"
  NOBODY_HOME=$WORK/home
  mkdir -p "$NOBODY_HOME"
  chown nobody:nogroup "$NOBODY_HOME"
  xhost +SI:localuser:nobody >/dev/null
}
as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$NOBODY_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin SDL_AUDIODRIVER=dummy \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$@"
}

# start_xscreensaver SETTING...: xscreensaver as nobody, these settings
# added to $NOBODY_HOME/.xscreensaver with no lock, fading, splash or power
# saving, its log in $WORK/xscreensaver.log; false, with the log's end, when
# it does not answer within 20 s. Sets SAVER_PID; stop_xscreensaver ends it.
SAVER_PID=
xscreensaver_up() { as_nobody xscreensaver-command -version >/dev/null 2>&1 && echo up; }
start_xscreensaver() {
  printf '%s\n' "$@" "lock: False" "fade: False" "unfade: False" "splash: False" "dpmsEnabled: False" \
    >>"$NOBODY_HOME/.xscreensaver"
  as_nobody xscreensaver -no-splash -verbose >"$WORK/xscreensaver.log" 2>&1 &
  SAVER_PID=$!
  wait_for xscreensaver_up 20 >/dev/null || { tail -n 20 "$WORK/xscreensaver.log"; return 1; }
}
stop_xscreensaver() {
  [ -n "$SAVER_PID" ] || return 0
  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  kill "$SAVER_PID" 2>/dev/null
  wait "$SAVER_PID" 2>/dev/null
  SAVER_PID=
}
