#!/usr/bin/env bash
# Fuzzes picture decoding and the texture build step, seeded with the
# hand-made corpus. Usage and options: lib/fuzz.sh.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
FUZZ_NAME=picture FUZZ_MAX_LEN=65536 FUZZ_DEFAULT=60
source "$ROOT/tests/e2e/lib/fuzz.sh"
run_fuzzer "$@" -- "$ROOT/tests/fuzz/corpus/picture"
