#!/usr/bin/env bash
# Fuzzes the WAVE reader and the sound read-out for a bounded time.
# Usage: tests/e2e/fuzz_wave.sh <fuzz-build-dir> [seconds]
# The build directory is one configured with -DCORVANE_FUZZ=ON and clang.
# New inputs go to a temporary directory; the seeds (the hand-made corpus
# and the embedded sounds) are only read.
# Crashing inputs are kept in <fuzz-build-dir>/fuzz-artifacts/wave/.
set -uo pipefail
BUILD=${1:?usage: fuzz_wave.sh <fuzz-build-dir> [seconds]}
SECONDS_TO_RUN=${2:-60}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
FUZZER=$BUILD/bin/wave_fuzz
SEEDS=$ROOT/tests/fuzz/corpus/wave

if [ ! -x "$FUZZER" ]; then
  echo "fuzz_wave: FAIL ($FUZZER not built)"
  exit 1
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ARTIFACTS=$BUILD/fuzz-artifacts/wave
mkdir -p "$ARTIFACTS"

# The embedded sounds join the hand-made seeds.
mkdir -p "$WORK/new" "$WORK/sounds"
cp "$ROOT"/resources/*.wav "$WORK/sounds/" 2>/dev/null

# Inputs up to the size of the largest embedded sound.
"$FUZZER" "$WORK/new" "$SEEDS" "$WORK/sounds" -max_total_time="$SECONDS_TO_RUN" -max_len=160000 -rss_limit_mb=2048 \
  -timeout=10 -artifact_prefix="$ARTIFACTS/" -print_final_stats=1 >"$WORK/log" 2>&1
status=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$WORK/log")
if [ "$status" -ne 0 ]; then
  tail -n 40 "$WORK/log"
  echo "fuzz_wave: FAIL (exit $status after ${runs:-?} runs; inputs in $ARTIFACTS)"
  exit 1
fi
echo "fuzz_wave: PASS (${runs:-?} runs in ${SECONDS_TO_RUN}s, no crash, leak or undefined behaviour)"
