#!/usr/bin/env bash
# Runs the benchmarks of a release build and prints one table.
#   tools/bench/run_bench.sh BUILD_DIR OUT_DIR
# Times are the medians of REPETITIONS runs (default 5).  With valgrind on
# the PATH, each side's instructions per call are counted under callgrind:
# the difference of a run of 1010 calls and one of 10, over 1000, so that
# loading and set-up drop out.  Then the running launcher with the service
# (shimwell-bench-service): page-call round trips against a bare WebSocket
# echo on the same server, and resident memory; loopback only, bounded in
# calls and time (E2E_REPETITIONS, E2E_CALLS, E2E_RUN_SECONDS,
# E2E_TOTAL_SECONDS).
set -euo pipefail
build=${1:?build dir}
out=${2:?output dir}
bench="$build/bin/shimwell-bench"
mkdir -p "$out"

"$bench" --benchmark_repetitions="${REPETITIONS:-5}" --benchmark_report_aggregates_only=true \
  --benchmark_min_time="${MIN_TIME:-0.2}" --benchmark_out="$out/benchmark.json" \
  --benchmark_out_format=json >/dev/null

instructions() {  # side, count -> total instructions of the run
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bench" --repeat "$1" "$2" 2>&1 |
    sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
}

counts=()
if command -v valgrind >/dev/null; then
  {
    echo "{"
    first=1
    for side in $("$bench" --list); do
      low=$(instructions "$side" 10)
      high=$(instructions "$side" 1010)
      [ $first -eq 1 ] || echo ","
      first=0
      echo "\"$side\": $(( (high - low) / 1000 ))"
    done
    echo "}"
  } >"$out/callgrind.json"
  counts=("$out/callgrind.json")
fi

service=()
if [ -x "$build/bin/shimwell-bench-service" ]; then
  "$build/bin/shimwell-bench-service" "$build/bin/Wharfgate" "$out/service.json"
  service=(--service "$out/service.json")
fi

"$build/bin/shimwell-bench-table" "$out/benchmark.json" "${counts[@]}" "${service[@]}" "$out/bench.json"
echo "(figures in $out/bench.json)"
