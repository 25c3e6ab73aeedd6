#!/usr/bin/env bash
# Fuzzes the MS3D model parser, animation and skinning, seeded with the
# hand-made corpus and the embedded models; inputs up to the size of the
# largest embedded model. Usage and options: lib/fuzz.sh.
set -uo pipefail
FUZZ_NAME=ms3d FUZZ_MAX_LEN=262144
source "$(dirname "$0")/lib/fuzz.sh"
cp "$ROOT"/resources/*.ms3d "$FUZZ_WORK/seeds/"
run_fuzzer "$@"
