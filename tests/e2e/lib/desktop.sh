# A desktop around the show for the desktop_* end-to-end scripts: Debian's
# openbox window manager and a private D-Bus session bus. Source it after
# harness.sh; the including script kills WM_PID and BUS_PID in its
# cleanup_target.

WM_PID=
BUS_PID=

# start_openbox: openbox on $DISPLAY with its stock settings; false when it
# does not come up within 10 s.
start_openbox() {
  HOME=$WORK openbox >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  return 1
}

# start_session_bus: a session bus of its own, exported in
# DBUS_SESSION_BUS_ADDRESS; false when it does not come up within 10 s.
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >/dev/null 2>&1 &
  BUS_PID=$!
  for _ in $(seq 100); do [ -s "$WORK/bus" ] && break; sleep 0.1; done
  [ -s "$WORK/bus" ] || return 1
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
  export DBUS_SESSION_BUS_ADDRESS
}

# activate WINDOW: asks the window manager to raise and focus it.
activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowactivate "$1"; sleep 0.5; }
