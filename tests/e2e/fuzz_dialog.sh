#!/usr/bin/env bash
# Fuzzes the dialog template reader and the dialog picture's bitmap reader,
# seeded with them as the program holds them: the template as it is, the
# bitmap without its 14-byte file header. Usage and options: lib/fuzz.sh.
set -uo pipefail
FUZZ_NAME=dialog FUZZ_MAX_LEN=8192
source "$(dirname "$0")/lib/fuzz.sh"
cp "$ROOT/resources/dialog225.dlg" "$FUZZ_WORK/seeds/"
tail -c +15 "$ROOT/resources/bitmap227.bmp" >"$FUZZ_WORK/seeds/bitmap227.dib"
run_fuzzer "$@"
