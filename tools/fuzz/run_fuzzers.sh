#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, one after the other:
#   run_fuzzers.sh BUILD_DIR SECONDS_PER_TARGET
# Each target starts from its seed corpus and the inputs that once failed; its
# growing corpus and any failing input stay under BUILD_DIR/fuzz-work.  A
# crash, a leak, a time-out or a sanitizer report fails the run; the failing
# input belongs in tools/fuzz/regressions/<target>/ once it is fixed.
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
targets=(page_call inbound reply json_text analysis)

failed=()
printf '%-12s %12s %8s\n' target executions seconds
for target in "${targets[@]}"; do
  work=$build/fuzz-work/$target
  mkdir -p "$work/corpus" "$work/artifacts"
  seeds=("$here/corpus/$target")
  [ -d "$here/regressions/$target" ] && seeds+=("$here/regressions/$target")
  status=0
  "$build/bin/${target}_fuzzer" "$work/corpus" "${seeds[@]}" \
    -max_total_time="$seconds" -timeout=10 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" >"$work/log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/log" | tail -1)
  printf '%-12s %12s %8s\n' "$target" "${runs:-?}" "${took:-?}"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    echo "--- $target failed (status $status); the end of $work/log:" >&2
    tail -40 "$work/log" >&2
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failing targets: ${failed[*]} (inputs under $build/fuzz-work/*/artifacts)" >&2
  exit 1
fi
