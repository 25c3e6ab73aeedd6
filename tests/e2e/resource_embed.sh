#!/usr/bin/env bash
# corvane-embed end to end: a manifest of our own becomes a table that the
# Linux resource functions find by type and name (upper-cased names, case
# ignored, numbered types, bitmaps stored without their file header); absent
# optional files are left out, absent required ones and false bitmaps fail.
# Usage: resource_embed.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/harness.sh"
BUILD=${1:?usage: resource_embed.sh <build-dir>}
TOOL=$BUILD/bin/corvane-embed
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
[ -x "$TOOL" ] || abort "no $TOOL"

mkdir "$WORK/res"
printf 'hello' >"$WORK/res/a.bin"
printf 'BM0123456789ab\x28\0\0\0rest' >"$WORK/res/pic.bmp"
printf '' >"$WORK/res/empty.bin"
cat >"$WORK/res/manifest.txt" <<'MANIFEST'
# a comment line
JPG s1.jpg a.bin
mdl Room a.bin
WAVE EMPTY empty.bin
#5 #225 a.bin
#2 #227 pic.bmp
#2 #228 missing.bmp optional
MANIFEST

expect "the manifest is embedded" "$TOOL" "$WORK/res/manifest.txt" "$WORK/res" "$WORK/table.cpp" 2>"$WORK/notes.txt"
expect "with a note about the absent optional file" grep -q "missing.bmp is absent" "$WORK/notes.txt"

cat >"$WORK/main.cpp" <<'PROGRAM'
#include <cstdio>
#include <cstring>
#include "platform/common/resource_table.h"
static int failures = 0;
static void Expect(bool ok, const char* what) {
    if (!ok) { std::printf("not so: %s\n", what); ++failures; }
}
int main() {
    Expect(kResourceCount == 5, "five entries");
    HRSRC a = FindResourceA(nullptr, "S1.JPG", "jpg");
    Expect(a != nullptr && SizeofResource(nullptr, a) == 5, "s1.jpg stored as S1.JPG");
    Expect(a != nullptr && std::memcmp(LockResource(LoadResource(nullptr, a)), "hello", 5) == 0, "its bytes");
    Expect(FindResourceA(nullptr, "room", "MDL") != nullptr, "type and name upper-cased");
    HRSRC empty = FindResourceA(nullptr, "empty", "wave");
    Expect(empty != nullptr && SizeofResource(nullptr, empty) == 0, "an empty file is an empty resource");
    Expect(FindResourceA(nullptr, MAKEINTRESOURCEA(225), MAKEINTRESOURCEA(5)) != nullptr, "numbered dialog");
    HRSRC bmp = FindResourceA(nullptr, MAKEINTRESOURCEA(227), MAKEINTRESOURCEA(2));
    Expect(bmp != nullptr && SizeofResource(nullptr, bmp) == 8, "bitmap without its 14-byte header");
    Expect(bmp != nullptr && static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, bmp)))[0] == 0x28,
           "bitmap starts at its info header");
    Expect(FindResourceA(nullptr, MAKEINTRESOURCEA(228), MAKEINTRESOURCEA(2)) == nullptr, "absent optional left out");
    Expect(FindResourceA(nullptr, "a.bin", "JPG") == nullptr, "file names are not resource names");
    return failures;
}
PROGRAM
if g++ -std=c++17 -I"$ROOT" "$WORK/main.cpp" "$WORK/table.cpp" "$ROOT/platform/common/resources.cpp" \
     -o "$WORK/check" 2>"$WORK/compile.txt"; then
  expect "lookups over the generated table find what was embedded" "$WORK/check"
else
  cat "$WORK/compile.txt"
  fail "the generated table compiles"
fi

# refused MANIFEST-LINE: the tool refuses a manifest of that one line.
refused() {
  printf '%s\n' "$1" >"$WORK/res/bad.txt"
  ! "$TOOL" "$WORK/res/bad.txt" "$WORK/res" "$WORK/bad.cpp" 2>/dev/null
}
expect "a missing required file is refused" refused 'JPG GONE.JPG gone.jpg'
expect "a bitmap that is no BMP is refused" refused '#2 #1 a.bin'
expect "a line without a file is refused" refused 'JPG ONLYNAME'
"$TOOL" 2>/dev/null
expect "usage errors exit 2" [ $? -eq 2 ]
verdict
