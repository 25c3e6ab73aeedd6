#!/usr/bin/env bash
# Fuzzes the dialog template reader and the dialog picture's bitmap reader
# for a bounded time, seeded with the embedded template and bitmap.
# Usage: tests/e2e/fuzz_dialog.sh <fuzz-build-dir> [seconds]
# The build directory is one configured with -DCORVANE_FUZZ=ON and clang.
# Crashing inputs are kept in <fuzz-build-dir>/fuzz-artifacts/dialog/.
set -uo pipefail
BUILD=${1:?usage: fuzz_dialog.sh <fuzz-build-dir> [seconds]}
SECONDS_TO_RUN=${2:-30}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
FUZZER=$BUILD/bin/dialog_fuzz

if [ ! -x "$FUZZER" ]; then
  echo "fuzz_dialog: FAIL ($FUZZER not built)"
  exit 1
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ARTIFACTS=$BUILD/fuzz-artifacts/dialog
mkdir -p "$ARTIFACTS" "$WORK/new" "$WORK/seeds"

# The seeds as the program holds them: the template as it is, the bitmap
# without its 14-byte file header.
cp "$ROOT/resources/dialog225.dlg" "$WORK/seeds/"
tail -c +15 "$ROOT/resources/bitmap227.bmp" >"$WORK/seeds/bitmap227.dib"

"$FUZZER" "$WORK/new" "$WORK/seeds" -max_total_time="$SECONDS_TO_RUN" -max_len=8192 -rss_limit_mb=2048 \
  -timeout=10 -artifact_prefix="$ARTIFACTS/" -print_final_stats=1 >"$WORK/log" 2>&1
status=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$WORK/log")
if [ "$status" -ne 0 ]; then
  tail -n 40 "$WORK/log"
  echo "fuzz_dialog: FAIL (exit $status after ${runs:-?} runs; inputs in $ARTIFACTS)"
  exit 1
fi
echo "fuzz_dialog: PASS (${runs:-?} runs in ${SECONDS_TO_RUN}s, no crash, leak or undefined behaviour)"
