#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS seconds (default 60) each. Each target grows a
# working corpus under the build folder, seeded from the test fixtures; findings are
# written there as crash-*, timeout-* or oom-* files and fail the run.
# Usage: fuzz/run.sh [build folder] [target ...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-build/fuzz}")
shift || true
seconds=${FUZZ_SECONDS:-60}
list=$build/fuzz/fuzzers.txt
if [ ! -f "$list" ]; then
    echo "fuzz: $list is missing (make fuzz configures and builds the targets)" >&2
    exit 2
fi

mkdir -p "$build/corpus" "$build/findings" "$build/logs"
failed=()
while read -r name seeds dict; do
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    binary=$build/fuzz/fuzz_$name
    if [ ! -x "$binary" ]; then
        echo "fuzz: $binary is missing (make fuzz builds it)" >&2
        exit 2
    fi
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
             -artifact_prefix="$build/findings/$name-")
    if [ "$dict" != "-" ]; then
        options+=(-dict="$root/fuzz/$dict")
    fi
    log=$build/logs/$name.log
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$binary" "${options[@]}" "$corpus" "$seeds" </dev/null >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    if [ $status -eq 0 ]; then
        printf 'fuzz_%-16s ok      %10s runs  %7s exec/s  %s\n' "$name" "${runs:-?}" "${speed:-?}" "${cover:-}"
    else
        printf 'fuzz_%-16s FAILED  (exit %d, see %s)\n' "$name" "$status" "$log"
        failed+=("$name")
    fi
done <"$list"

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs in $build/findings)" >&2
    exit 1
fi
