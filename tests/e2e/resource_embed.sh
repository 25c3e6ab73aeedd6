#!/usr/bin/env bash
# corvane-embed end to end: a manifest of our own becomes a table that the
# Linux resource functions find by type and name (upper-cased names, case
# ignored, numbered types, bitmaps stored without their file header); absent
# optional files are left out, absent required ones and false bitmaps fail.
# Usage: resource_embed.sh <build-dir>
set -uo pipefail
BUILD=${1:?usage: resource_embed.sh <build-dir>}
TOOL=$BUILD/bin/corvane-embed
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() { echo "resource_embed: FAIL: $*"; exit 1; }
[ -x "$TOOL" ] || fail "no $TOOL"

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

"$TOOL" "$WORK/res/manifest.txt" "$WORK/res" "$WORK/table.cpp" 2>"$WORK/notes.txt" || fail "embedding exited $?"
grep -q "missing.bmp is absent" "$WORK/notes.txt" || fail "no note about the absent optional file"

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
g++ -std=c++17 -I"$ROOT" "$WORK/main.cpp" "$WORK/table.cpp" "$ROOT/platform/common/resources.cpp" -o "$WORK/check" \
    2>"$WORK/compile.txt" || { cat "$WORK/compile.txt"; fail "the generated table does not compile"; }
"$WORK/check" || fail "lookups over the generated table"

printf 'JPG GONE.JPG gone.jpg\n' >"$WORK/res/required.txt"
"$TOOL" "$WORK/res/required.txt" "$WORK/res" "$WORK/t2.cpp" 2>/dev/null && fail "a missing required file was accepted"
printf '#2 #1 a.bin\n' >"$WORK/res/notbmp.txt"
"$TOOL" "$WORK/res/notbmp.txt" "$WORK/res" "$WORK/t3.cpp" 2>/dev/null && fail "a bitmap that is no BMP was accepted"
printf 'JPG ONLYNAME\n' >"$WORK/res/short.txt"
"$TOOL" "$WORK/res/short.txt" "$WORK/res" "$WORK/t4.cpp" 2>/dev/null && fail "a line without a file was accepted"
"$TOOL" 2>/dev/null; [ $? -eq 2 ] || fail "usage errors exit 2"
echo "resource_embed: OK"
