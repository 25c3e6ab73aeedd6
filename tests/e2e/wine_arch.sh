#!/usr/bin/env bash
# The part of running the Windows builds under Wine that needs no Windows
# program to execute, so it runs on every machine, also on one that cannot
# execute 32-bit programs:
#   - the architecture reader names both real builds (corvane.exe and
#     corvane.scr) and refuses a file that is no Windows program;
#   - each build gets the loader and server of its own architecture, both
#     present and built for it (a 32-bit ELF for win32, 64-bit for win64);
#   - the 32-bit GL stack that a 32-bit program reaches through Wine is
#     installed, where the 32-bit loader will look for it.
#
# Usage: tests/e2e/wine_arch.sh <win32-build-dir> <win64-build-dir>
set -uo pipefail

WIN32_BUILD=${1:?usage: wine_arch.sh <win32-build-dir> <win64-build-dir>}
WIN64_BUILD=${2:?usage: wine_arch.sh <win32-build-dir> <win64-build-dir>}
source "$(dirname "$0")/lib/harness.sh"
source "$(dirname "$0")/lib/wine.sh"

# elf_class FILE: 32 or 64, from the ELF header's class byte.
elf_class() {
  [ "$(head -c 4 "$1" 2>/dev/null | od -An -c | tr -d ' ')" = '177ELF' ] || return 1
  case $(od -An -tu1 -j4 -N1 "$1" | tr -d ' ') in 1) echo 32 ;; 2) echo 64 ;; *) return 1 ;; esac
}

for pair in "win32:$WIN32_BUILD:32" "win64:$WIN64_BUILD:64"; do
  IFS=: read -r arch build bits <<<"$pair"
  for program in corvane.exe corvane.scr; do
    got=$(pe_arch "$build/bin/$program")
    expect "$arch/$program is read as $arch (${got:-nothing})" [ "$got" = "$arch" ]
  done
  if (wine_env "$build" && [ "$WINEARCH" = "$arch" ] && [ "$WINEPREFIX" = "$(cd "$build" && pwd)/wineprefix" ] &&
      echo "$WINE $WINESERVER") >"$WORK/env" 2>&1; then
    read -r loader server <"$WORK/env"
    pass "wine_env picks $(basename "$loader") and $(basename "$server") for the $arch build, with its own prefix"
    for file in "$loader" "$server"; do
      expect "$file is a $bits-bit program" [ "$(elf_class "$(readlink -f "$file")")" = "$bits" ]
    done
  else
    fail "wine_env takes the $arch build ($(cat "$WORK/env"))"
  fi
done

fails() { ! "$@" >/dev/null; }
printf 'MZ not a program' >"$WORK/fake.exe"
expect "a file that starts like one but is no Windows program has no architecture" fails pe_arch "$WORK/fake.exe"
expect "a Linux program has no Windows architecture" fails pe_arch /bin/sh

# The 32-bit loader finds its libraries through the cache ldconfig keeps;
# "(libc6)" marks the i386 entries there (x86-64 ones say "libc6,x86-64").
for library in libGL.so.1 libGLX_mesa.so.0; do
  path=$(/sbin/ldconfig -p | awk -v l="$library" '$1 == l && $2 == "(libc6)" {print $NF; exit}')
  expect "the 32-bit $library is installed (${path:-missing})" [ -n "$path" ]
  [ -n "$path" ] && expect "$path is a 32-bit library" [ "$(elf_class "$(readlink -f "$path")")" = 32 ]
done
dri=/usr/lib/i386-linux-gnu/dri/swrast_dri.so
expect "Mesa's 32-bit software renderer is installed ($dri)" [ "$(elf_class "$(readlink -f "$dri")")" = 32 ]

verdict
