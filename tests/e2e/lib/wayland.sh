# Wayland compositors around the show, run headless on a 1280x800 virtual
# output, for the wayland_* end-to-end scripts. Source it after show.sh and
# scene.sh; call stop_compositor from cleanup_target.
#   start_sway xwayland|pure  sway, and its clients in AS_USER, as nobody when
#                             run as root (sway refuses root, and its XWayland
#                             other users); exports WAYLAND_DISPLAY,
#                             XDG_RUNTIME_DIR and, with XWayland, DISPLAY
#   start_mutter              mutter with XWayland on a session bus of its
#                             own (desktop.sh); exports the same and XAUTHORITY
#   in_tree TITLE             sway's view of the window so titled: "SHELL
#                             FULLSCREEN WIDTH HEIGHT APP_ID-OR-CLASS"
#   type_keys KEY...          keys typed into sway's focused window (wtype)
#   grab NAME                 the output in $SHOTS/NAME.png (grim)
COMPOSITOR_PID=
KEYBOARD_PID=
XWAYLAND_PID=
AS_USER=()
RUNTIME=$(mktemp -d)
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY
# No accessibility bus started on the side by GTK.
export XDG_RUNTIME_DIR=$RUNTIME NO_AT_BRIDGE=1

stop_compositor() {
  [ -n "$KEYBOARD_PID" ] && kill "$KEYBOARD_PID" 2>/dev/null
  [ -n "$COMPOSITOR_PID" ] && kill "$COMPOSITOR_PID" 2>/dev/null && sleep 0.5
  # XWayland outlives its compositor while X clients hold it.
  [ -n "$XWAYLAND_PID" ] && kill "$XWAYLAND_PID" 2>/dev/null
  [ -n "${BUS_PID:-}" ] && kill "$BUS_PID" 2>/dev/null
  KEYBOARD_PID= COMPOSITOR_PID= XWAYLAND_PID= BUS_PID=
  rm -rf "$RUNTIME"
}

# up FILE PATTERN: true once FILE matches PATTERN, within 20 s.
up() { for _ in $(seq 200); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done; return 1; }

start_sway() {
  if [ "$(id -u)" = 0 ]; then
    AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chown nobody "$RUNTIME"
    chmod 755 "$WORK"
  fi
  chmod 700 "$RUNTIME"
  # The show's window floats, so that it keeps the size it asks for: tiled,
  # F1 back would ask for the tile's size as its full-screen mode.
  printf 'output HEADLESS-1 resolution 1280x800\nxwayland %s\nfor_window [title="^%s$"] floating enable\n' \
    "$([ "$1" = pure ] && echo disable || echo enable)" "$TITLE" >"$RUNTIME/config"
  env -i PATH="$PATH" HOME="$RUNTIME" XDG_RUNTIME_DIR="$RUNTIME" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman "${AS_USER[@]}" sway -c "$RUNTIME/config" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  for _ in $(seq 100); do SWAYSOCK=$(ls "$RUNTIME"/sway-ipc.*.sock 2>/dev/null) && break; sleep 0.1; done
  [ -S "$RUNTIME/wayland-1" ] && [ -n "$SWAYSOCK" ] || return 1
  export SWAYSOCK WAYLAND_DISPLAY=wayland-1
  # A headless seat has no keyboard, so no window would ever have the
  # keyboard focus: one stays plugged in, as on a desk.
  wtype -s 3600000 &
  KEYBOARD_PID=$!
  [ "$1" = pure ] && return 0
  # XWayland starts with the first X client; sway names it in its children's
  # environment.
  swaymsg -q exec "echo \$DISPLAY >$RUNTIME/display"
  up "$RUNTIME/display" : && DISPLAY=$(cat "$RUNTIME/display") && export DISPLAY && xwayland_pid
}

# The XWayland server of $DISPLAY, for stop_compositor.
xwayland_pid() { XWAYLAND_PID=$(pgrep -n -f "Xwayland $DISPLAY ") || true; }

start_mutter() {
  chmod 700 "$RUNTIME"
  start_session_bus || return 1
  mutter --headless --wayland --wayland-display=wayland-mutter --virtual-monitor 1280x800 \
    >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  up "$WORK/compositor.log" "Using public X11 display" || return 1
  export WAYLAND_DISPLAY=wayland-mutter
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/compositor.log" | head -n 1)
  XAUTHORITY=$(ls "$RUNTIME"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
  export DISPLAY XAUTHORITY
  xwayland_pid
}

in_tree() {
  swaymsg -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1] and node.get("pid"):
        rect = node["rect"]
        ident = node.get("app_id") or (node.get("window_properties") or {}).get("class")
        print(node.get("shell"), node.get("fullscreen_mode"), rect["width"], rect["height"], ident)
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)' "$1"
}

# wtype's new keyboard needs a moment before the focus reaches it. Its keymap
# is its own, and XWayland takes it up late: X windows are typed into with
# XTEST (xdotool) under a full US keymap, the one SDL saw when it started.
type_keys() { wtype -s 600 $(printf -- '-k %s -s 150 ' "$@"); }
us_keymap() { "${AS_USER[@]}" setxkbmap -layout us 2>/dev/null; }
x_keys() { us_keymap && sleep 0.3 && "${AS_USER[@]}" xdotool key --delay 300 "$@"; }

grab() { timeout 10 grim "$SHOTS/$1.png" 2>/dev/null; }
