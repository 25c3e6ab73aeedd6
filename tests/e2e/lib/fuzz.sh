# What the fuzz scripts share: arguments, the libFuzzer run and its verdict.
#
# Sourced by tests/e2e/fuzz_<name>.sh, which set FUZZ_NAME (the target is
# bin/<name>_fuzz) and FUZZ_MAX_LEN, may put seeds of their own in
# $FUZZ_WORK/seeds, then call run_fuzzer "$@". The seeds are those and the
# hand-made corpus tests/fuzz/corpus/<name>/ where there is one. Without a
# LIMIT a target runs 30 s, the short run that scripts/test makes.
#
#   fuzz_<name>.sh BUILD [LIMIT] [libFuzzer options...]
#
# BUILD is a build directory configured with -DCORVANE_FUZZ=ON and clang.
# LIMIT is a time in seconds ("600" or "600s") or a number of inputs
# ("10000000runs"). Further options go to libFuzzer as they are, after ours,
# so they win (for example -max_len=8192). Memory is capped at 1 GB
# (-rss_limit_mb=1024): a target keeps nothing between inputs, so its memory
# stays flat however long it runs. New inputs go to a temporary directory;
# the seeds are only read. Crashing inputs are kept in
# BUILD/fuzz-artifacts/<name>/.

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
FUZZ_WORK=$WORK
mkdir -p "$FUZZ_WORK/new" "$FUZZ_WORK/seeds"

fuzz_usage() {
  echo "usage: fuzz_$FUZZ_NAME.sh <fuzz-build-dir> [SECONDS | SECONDSs | COUNTruns] [libFuzzer options...]" >&2
  exit 2
}

# run_fuzzer BUILD [LIMIT] [libFuzzer options...]
run_fuzzer() {
  local given=("$@") seeds=("$FUZZ_WORK/seeds") limit_option
  [ -d "$ROOT/tests/fuzz/corpus/$FUZZ_NAME" ] && seeds+=("$ROOT/tests/fuzz/corpus/$FUZZ_NAME")
  [ ${#given[@]} -ge 1 ] || fuzz_usage
  local build=${given[0]} limit=${given[1]:-30}
  local extra=("${given[@]:2}")
  case $limit in
    *runs) limit_option=-runs=${limit%runs} ;;
    *s) limit_option=-max_total_time=${limit%s} ;;
    *) limit_option=-max_total_time=$limit ;;
  esac
  [[ ${limit_option#*=} =~ ^[0-9]+$ ]] || fuzz_usage

  local fuzzer=$build/bin/${FUZZ_NAME}_fuzz
  [ -x "$fuzzer" ] || abort "$fuzzer not built"
  local artifacts=$build/fuzz-artifacts/$FUZZ_NAME
  mkdir -p "$artifacts"

  local start=$SECONDS
  "$fuzzer" "$FUZZ_WORK/new" "${seeds[@]}" "$limit_option" -max_len="$FUZZ_MAX_LEN" -rss_limit_mb=1024 \
    -timeout=10 -artifact_prefix="$artifacts/" -print_final_stats=1 "${extra[@]}" >"$FUZZ_WORK/log" 2>&1
  local status=$?
  local runs peak
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$FUZZ_WORK/log")
  peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$FUZZ_WORK/log")
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$FUZZ_WORK/log"
    echo "fuzz_$FUZZ_NAME: FAIL (exit $status after ${runs:-?} runs; inputs in $artifacts)"
    exit 1
  fi
  echo "fuzz_$FUZZ_NAME: PASS (${runs:-?} runs in $((SECONDS - start))s, peak memory ${peak:-?} MB; no crash, leak or undefined behaviour)"
}

