#!/usr/bin/env bash
# assetgen end to end: the generator's own tests pass, regenerating the
# catalogue reproduces the committed resources/ byte for byte (pictures,
# models, sounds and the manifest), and the contact sheet and model preview
# come out as PNG pictures.
# Usage: assetgen_repro.sh <build-dir>
set -uo pipefail
BUILD=${1:?usage: assetgen_repro.sh <build-dir>}
TOOL=$BUILD/bin/assetgen
HERE=$(cd "$(dirname "$0")" && pwd)
RESOURCES=$(cd "$HERE/../.." && pwd)/resources
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() { echo "assetgen_repro: FAIL: $*"; exit 1; }
[ -x "$TOOL" ] || fail "no $TOOL"
if [ -x "$BUILD/bin/assetgen_tests" ]; then
    "$BUILD/bin/assetgen_tests" >"$WORK/tests.log" 2>&1 || { tail -n 30 "$WORK/tests.log"; fail "assetgen_tests"; }
fi

OUT=$WORK/out
mkdir -p "$OUT"
"$TOOL" --out "$OUT" >/dev/null || fail "generation exited $?"
count=0
for made in "$OUT"/*; do
    name=$(basename "$made")
    cmp -s "$made" "$RESOURCES/$name" || fail "$name differs from the committed resources/$name"
    count=$((count + 1))
done
[ "$count" -eq 107 ] || fail "expected 107 files (106 assets and the manifest), got $count"
# Every committed asset of ours is one the generator makes.
while read -r type name file flag; do
    case "$type" in "#"|"") continue ;; esac
    [ "${flag:-}" = optional ] && continue
    [ -e "$OUT/$file" ] || fail "manifest lists $file, which the generator does not make"
done <"$RESOURCES/manifest.txt"

"$TOOL" --sheet "$WORK/sheet.png" || fail "contact sheet exited $?"
"$TOOL" --preview "$WORK/preview.png" 2.0 || fail "preview exited $?"
for png in sheet preview; do
    [ "$(head -c 8 "$WORK/$png.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png.png is not a PNG"
done
"$TOOL" --bogus >/dev/null 2>&1 && fail "an unknown option was accepted"
echo "assetgen_repro: OK ($count files reproduced byte for byte)"
