#!/usr/bin/env bash
# Fuzzes picture decoding and the texture build step, seeded with the
# hand-made corpus. Usage and options: lib/fuzz.sh.
set -uo pipefail
FUZZ_NAME=picture FUZZ_MAX_LEN=65536
source "$(dirname "$0")/lib/fuzz.sh"
run_fuzzer "$@"
