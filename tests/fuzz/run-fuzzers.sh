#!/usr/bin/env bash
# Runs each libFuzzer harness of tests/fuzz for a bounded time and fails on any
# finding (crash, sanitizer report, leak, time-out, round-trip mismatch).
#
#   tests/fuzz/run-fuzzers.sh [SECONDS] [NAME...]
#
# SECONDS per fuzzer, default $TSLN_FUZZ_SECONDS or 20. NAMEs: the NAME_fuzz.cpp
# files beside this script (default all). Each starts from its
# committed seeds in tests/fuzz/corpus/NAME plus what earlier runs found in
# build/fuzz/runs/NAME/corpus; findings land in build/fuzz/runs/NAME/findings.
# A finding fixed in the code goes into tests/fuzz/corpus/NAME as a regression
# case.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-${TSLN_FUZZ_SECONDS:-20}}
[ $# -gt 0 ] && shift
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for harness in tests/fuzz/*_fuzz.cpp; do
        harness=${harness##*/}
        names+=("${harness%_fuzz.cpp}")
    done
fi

targets=()
for name in "${names[@]}"; do
    [ -d "tests/fuzz/corpus/$name" ] || {
        echo "run-fuzzers: no fuzzer named \"$name\"" >&2
        exit 2
    }
    targets+=("fuzz_$name")
done
cmake --preset fuzz >/dev/null
if ! build=$(cmake --build --preset fuzz -j 2 --target "${targets[@]}" 2>&1); then
    printf '%s\n' "$build" | tail -n 30
    exit 1
fi

# The file readers get inputs up to 1 MB, so nesting depth and size are within
# reach, and a tight time per input: real files are a few KB and read in
# microseconds, so an input that takes seconds is a finding.
limits() {
    case $1 in
    reg | pe | edid) echo "-max_len=1048576 -timeout=5" ;;
    *) echo "-max_len=4096 -timeout=2" ;;
    esac
}

failed=0
printf '%-13s %12s %7s %8s  %s\n' fuzzer executions cov ft findings
for name in "${names[@]}"; do
    run=build/fuzz/runs/$name
    rm -rf "$run/findings"
    mkdir -p "$run/corpus" "$run/findings"
    status=0
    # shellcheck disable=SC2046 # the limits are separate words on purpose
    "build/fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 $(limits "$name") \
        -rss_limit_mb=2048 -artifact_prefix="$run/findings/" "$run/corpus" "tests/fuzz/corpus/$name" \
        >"$run/log" 2>&1 || status=$?
    execs=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$run/log")
    cov=$(awk '{ for (i = 1; i < NF; ++i) if ($i == "cov:") v = $(i + 1) } END { print v }' "$run/log")
    ft=$(awk '{ for (i = 1; i < NF; ++i) if ($i == "ft:") v = $(i + 1) } END { print v }' "$run/log")
    findings=$(find "$run/findings" -type f | wc -l)
    if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
        findings=1 # a report without an input written (e.g. a leak at exit)
    fi
    printf '%-13s %12s %7s %8s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$findings"
    if [ "$findings" -ne 0 ]; then
        failed=1
        { grep -E '^finding: |ERROR: |runtime error: |^SUMMARY: |ALARM: ' "$run/log" || true; } | cut -c1-200 |
            head -n 4 | sed 's/^/    /'
        find "$run/findings" -type f | sed 's/^/    input: /'
        echo "    log: $run/log"
    fi
done
exit "$failed"
