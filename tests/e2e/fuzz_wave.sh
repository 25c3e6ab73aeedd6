#!/usr/bin/env bash
# Fuzzes the WAVE reader and the sound read-out, seeded with the hand-made
# corpus and the embedded sounds; inputs up to the size of the largest
# embedded sound. Usage and options: lib/fuzz.sh.
set -uo pipefail
FUZZ_NAME=wave FUZZ_MAX_LEN=160000
source "$(dirname "$0")/lib/fuzz.sh"
cp "$ROOT"/resources/*.wav "$FUZZ_WORK/seeds/"
run_fuzzer "$@"
