# Shared set-up for scripts/run and scripts/test: install what a fresh Debian 12
# machine lacks, and build.
#
# Sourced, not run. Needs: ROOT (the repository).

LINUX_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-image-dev libgtk-3-dev libfreetype-dev libfontconfig-dev libxcb1-dev libxcb-screensaver0-dev
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0 libjpeg-dev libpng-dev zlib1g-dev libx11-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-liberation
  xvfb xauth x11-utils xdotool imagemagick
)
TEST_PACKAGES=(
  clang libclang-rt-14-dev gocr python3
  openbox xterm xscreensaver xscreensaver-gl dbus-daemon python3-dbus python3-gi x11-xserver-utils libxss1
  # the screen-saver hosts: MATE's (with gsettings and dconf), two heads in Xephyr, system calls traced
  mate-screensaver libglib2.0-bin dconf-service xserver-xephyr strace
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # Wayland compositors, run headless: sway (with its screenshot and typing
  # tools) and mutter, both with XWayland, its window grabber and keymap tool
  sway grim wtype xwayland mutter x11-apps x11-xkb-utils
  # the package checks: building, linting, validating and unpacking; the
  # Windows installer, its signing and the icons in the programs
  dpkg-dev file lintian desktop-file-utils appstream man-db unzip nsis osslsigncode openssl icoutils
)
# scripts/package: the package tools, both Windows toolchains, the installer
# and its signing.
PACKAGE_PACKAGES=(dpkg-dev file g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  nsis osslsigncode openssl)
# Wine for both architectures, and the 32-bit GL stack a 32-bit Windows
# program reaches through Wine: the library, its GLX and the Mesa drivers
# (with --no-install-recommends none of them comes with wine32).
WINE_PACKAGES=(wine wine32 wine64 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing: $missing"
  if printf '%s\n' $missing | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -q i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1
  shift
  mkdir -p "$dir"
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || {
    cat "$dir/configure.log"
    return 1
  }
  ninja -C "$dir" -j"$(nproc)"
}

# A display number nobody uses yet.
free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
