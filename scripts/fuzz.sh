#!/usr/bin/env bash
# Runs the fuzz targets of a build configured with -DVOLBY_FUZZ=ON (clang), each for the given seconds,
# two at a time. Each target grows its corpus in <build>/tests/fuzz/corpus/<target>, kept between runs,
# from the seeds the build made and the inputs of earlier findings in tests/fuzz/regressions/<target>.
# A finding stops its target with the input saved in <build>/tests/fuzz/findings/ and fails the script.
# At the end each target's executions per second and coverage are printed.
#
#   scripts/fuzz.sh [build folder, default build-fuzz] [seconds, default 600] [target ...]
#
# A build for it: CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVOLBY_FUZZ=ON && cmake --build build-fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-600}
targets=("${@:3}")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_recordline fuzz_archive fuzz_import fuzz_codelist fuzz_tablefile fuzz_journal)
fuzz=$build/tests/fuzz
# shellcheck disable=SC1091
source "$build/sanitizers.env"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$fuzz/findings" "$fuzz/logs"

run() {
    local target=$1
    local corpora=("$fuzz/corpus/$target" "$fuzz/seeds/$target")
    mkdir -p "$fuzz/corpus/$target"
    [ ! -d "tests/fuzz/regressions/$target" ] || corpora+=("tests/fuzz/regressions/$target")
    "$fuzz/$target" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$fuzz/findings/$target-" "${corpora[@]}" >"$fuzz/logs/$target.log" 2>&1
}

failed=()
pids=()
names=()
finish_one() {
    local i
    wait -n -p done_pid "${pids[@]}" && status=0 || status=$?
    for i in "${!pids[@]}"; do
        if [ "${pids[$i]}" = "$done_pid" ]; then
            [ "$status" -eq 0 ] || failed+=("${names[$i]}")
            unset 'pids[i]' 'names[i]'
        fi
    done
    pids=("${pids[@]}")
    names=("${names[@]}")
}
for target in "${targets[@]}"; do
    [ ${#pids[@]} -lt 2 ] || finish_one
    run "$target" &
    pids+=($!)
    names+=("$target")
done
while [ ${#pids[@]} -gt 0 ]; do
    finish_one
done

for target in "${targets[@]}"; do
    log=$fuzz/logs/$target.log
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    echo "$target: ${runs:-?} runs, ${speed:-?} exec/s, $coverage"
done
for target in "${failed[@]}"; do
    echo "---- $target found a fault (input in $fuzz/findings/):"
    tail -n 60 "$fuzz/logs/$target.log"
done
[ ${#failed[@]} -eq 0 ]
