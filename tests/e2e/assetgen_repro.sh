#!/usr/bin/env bash
# assetgen end to end: the generator's own tests pass, regenerating the
# catalogue reproduces the committed resources/ byte for byte (pictures,
# models, sounds and the manifest), and the contact sheet and model preview
# come out as PNG pictures.
# Usage: assetgen_repro.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/harness.sh"
BUILD=${1:?usage: assetgen_repro.sh <build-dir>}
TOOL=$BUILD/bin/assetgen
RESOURCES=$(cd "$(dirname "$0")/../.." && pwd)/resources
[ -x "$TOOL" ] || abort "no $TOOL"
if [ -x "$BUILD/bin/assetgen_tests" ]; then
  if "$BUILD/bin/assetgen_tests" >"$WORK/tests.log" 2>&1; then pass "assetgen's own tests pass"; else
    tail -n 30 "$WORK/tests.log"
    fail "assetgen's own tests pass"
  fi
fi

OUT=$WORK/out
mkdir -p "$OUT"
"$TOOL" --out "$OUT" >/dev/null
expect "the catalogue is generated" [ $? = 0 ]
differing=() count=0
for made in "$OUT"/*; do
  cmp -s "$made" "$RESOURCES/${made##*/}" || differing+=("${made##*/}")
  count=$((count + 1))
done
expect "every file is the committed one byte for byte (differing: ${differing[*]:-none})" [ ${#differing[@]} = 0 ]
expect "107 files, 106 assets and the manifest ($count)" [ "$count" = 107 ]
# Every committed asset of ours is one the generator makes.
not_made=()
while read -r type name file flag; do
  case "$type" in "#"|"") continue ;; esac
  [ "${flag:-}" = optional ] || [ -e "$OUT/$file" ] || not_made+=("$file")
done <"$RESOURCES/manifest.txt"
expect "the generator makes every file the manifest lists (not made: ${not_made[*]:-none})" [ ${#not_made[@]} = 0 ]

png() { "$TOOL" "$@" && [ "$(head -c 8 "$2" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }
expect "the contact sheet is a PNG picture" png --sheet "$WORK/sheet.png"
expect "the model preview is a PNG picture" png --preview "$WORK/preview.png" 2.0
"$TOOL" --bogus >/dev/null 2>&1
expect "an unknown option is refused" [ $? != 0 ]
verdict
