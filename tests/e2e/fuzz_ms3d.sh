#!/usr/bin/env bash
# Fuzzes the MS3D model parser, animation and skinning, seeded with the
# hand-made corpus and the embedded models; inputs up to the size of the
# largest embedded model. Usage and options: lib/fuzz.sh.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
FUZZ_NAME=ms3d FUZZ_MAX_LEN=262144 FUZZ_DEFAULT=60
source "$ROOT/tests/e2e/lib/fuzz.sh"
cp "$ROOT"/resources/*.ms3d "$FUZZ_WORK/seeds/"
run_fuzzer "$@" -- "$ROOT/tests/fuzz/corpus/ms3d" "$FUZZ_WORK/seeds"
