#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build one after another, FUZZ_SECONDS each
# (default 60). Usage: scripts/fuzz.sh BUILD_DIR [target...]
# The growing corpora live in FUZZ_CORPUS/<target> (default BUILD_DIR/fuzz-corpus),
# seeded from tests/fuzz/corpus/<target> and, when present, the shared element
# files; findings land in BUILD_DIR/fuzz-artifacts/<target>/. Exits non-zero
# when any target reported a finding.
set -uo pipefail
build=$(cd "$1" && pwd)
shift
src=$(cd "$(dirname "$0")/.." && pwd)
secs=${FUZZ_SECONDS:-60}
corpus_root=${FUZZ_CORPUS:-$build/fuzz-corpus}
shared=$src/../shared/data
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(tle csv manager ini coast cmdline lnedit)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for t in "${targets[@]}"; do
  corpus=$corpus_root/$t
  artifacts=$build/fuzz-artifacts/$t
  log=$build/fuzz-logs/$t.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  seeds=("$src/tests/fuzz/corpus/$t")
  case $t in
    tle) extra=(elements-2026-05-30 sgp4-verification) ;;
    csv) extra=(elements-2026-05-30) ;;
    *) extra=() ;;
  esac
  for e in "${extra[@]}"; do
    [ -d "$shared/$e" ] && seeds+=("$shared/$e")
  done
  opts=(-max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -max_len=16384
        -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$src/tests/fuzz/$t.dict" ] && opts+=(-dict="$src/tests/fuzz/$t.dict")
  echo "== fuzz_$t: ${secs} s"
  "$build/bin/fuzz_$t" "${opts[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  # The last status line: executions, coverage, features, corpus.
  grep -E '^#[0-9]+' "$log" | tail -n 1
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log"
  if [ $rc -ne 0 ]; then
    echo "fuzz_$t: FINDING (exit $rc), see $log"
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 5
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]}"
  exit 1
fi
