#!/usr/bin/env bash
# Makes the Windows installer, corvane-<version>-setup.exe, from a 32-bit and
# a 64-bit Windows build: the one way it is made, for scripts/package and the
# tests alike.
#
#   make-installer.sh WIN32_BUILD WIN64_BUILD OUT_DIR [VERSION]
#
# Installs each build (stripped, and signed when a certificate is named:
# cmake/windows/sign_installed.cmake) into OUT_DIR/stage/, runs makensis on
# corvane.nsi, and signs the installer and its uninstaller the same way.
# VERSION (default: the builds' own, which must agree) names and labels the
# installer. Prints the installer's path last. Any problem: one line on
# standard error and status 1, and no installer is left in OUT_DIR.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)

fail() { echo "make-installer: $*" >&2; exit 1; }
[ $# -ge 3 ] || fail "usage: make-installer.sh WIN32_BUILD WIN64_BUILD OUT_DIR [VERSION]"
command -v makensis >/dev/null || fail "makensis is not installed (Debian: nsis)"

# The version CMake gave the build's packages.
build_version() {
  [ -f "$1/CPackConfig.cmake" ] || fail "$1 is not a configured build"
  sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"
}
win32=$(cd "$1" && pwd) win64=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
version=${4:-$(build_version "$win32")}
[ -n "${4:-}" ] || [ "$version" = "$(build_version "$win64")" ] ||
  fail "the builds have different versions: $version and $(build_version "$win64")"
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+) ]] || fail "the version $version does not start with three numbers"
numbers="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.${BASH_REMATCH[3]}.0"

installer=$out/corvane-$version-setup.exe
rm -f "$installer"
stage=$out/stage
rm -rf "$stage"
for build in "$win32" "$win64"; do
  arch=win32
  grep -q 'set(CPACK_SYSTEM_NAME "win64")' "$build/CPackConfig.cmake" && arch=win64
  [ "$build" = "$win32" ] && [ $arch != win32 ] && fail "$build is not a 32-bit Windows build"
  [ "$build" = "$win64" ] && [ $arch != win64 ] && fail "$build is not a 64-bit Windows build"
  cmake --install "$build" --prefix "$stage/$arch" --strip >"$out/install-$arch.log" 2>&1 || {
    cat "$out/install-$arch.log" >&2
    fail "could not install $build"
  }
done

defines=(-DVERSION="$version" -DVERSION_NUMBERS="$numbers" -DSTAGE32="$stage/win32" -DSTAGE64="$stage/win64"
  -DSIZE32="$(du -sk "$stage/win32" | cut -f1)" -DSIZE64="$(du -sk "$stage/win64" | cut -f1)"
  -DICON="$ROOT/packaging/icon/corvane.ico" -DOUTFILE="$installer")
signing=
if [ -n "${CORVANE_SIGN_CERT:-}${CORVANE_SIGN_KEY:-}" ]; then
  signing=yes
  defines+=(-DSIGN="sh '$HERE/sign.sh'")
fi
makensis -V2 "${defines[@]}" "$HERE/corvane.nsi" >"$out/makensis.log" 2>&1 || {
  rm -f "$installer"
  cat "$out/makensis.log" >&2
  fail "makensis failed"
}
if [ -n "$signing" ] && ! sh "$HERE/sign.sh" "$installer"; then
  rm -f "$installer"
  fail "the installer could not be signed: not leaving it unsigned"
fi
echo "$installer"
