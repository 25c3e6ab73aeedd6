#!/usr/bin/env bash
# Fuzzes the MS3D model parser, the extras after the joints, animation and
# skinning, seeded with the small models of tests/samples (one with each
# sub-version of vertex extras) and the embedded models; inputs up to the
# size of the largest embedded model. Usage and options: lib/fuzz.sh.
set -uo pipefail
FUZZ_NAME=ms3d FUZZ_MAX_LEN=262144
source "$(dirname "$0")/lib/fuzz.sh"
cp "$ROOT"/resources/*.ms3d "$FUZZ_WORK/seeds/"
"${1:?}/bin/ms3d_samples" "$FUZZ_WORK/seeds" || { echo "fuzz_ms3d: FAIL (no seed models)"; exit 1; }
run_fuzzer "$@"
