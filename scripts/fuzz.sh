#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]
# Builds the libFuzzer targets (preset fuzz: clang with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 60), all of them unless TARGETs are named (fuzz_datagram, ...).
# Every target starts from its seed corpus in tests/fuzz/corpus/<target> and keeps what it finds in
# build/fuzz/corpus/<target>; a crash or a broken invariant leaves its input in
# build/fuzz/artifacts/<target>/ and fails the run. Extra libFuzzer flags can be given in FUZZ_FLAGS
# (for example FUZZ_FLAGS=-runs=10000000 to stop after that many executions).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for exe in build/fuzz/tests/fuzz/fuzz_*; do
        [ -x "$exe" ] && targets+=("$(basename "$exe")")
    done
fi

failed=()
summary=()
for target in "${targets[@]}"; do
    exe=build/fuzz/tests/fuzz/$target
    work=build/fuzz/corpus/$target
    artifacts=build/fuzz/artifacts/$target
    log=build/fuzz/$target.log
    mkdir -p "$work" "$artifacts"
    echo "== $target, ${seconds} s"
    # shellcheck disable=SC2086
    if ! "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" ${FUZZ_FLAGS:-} "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        failed+=("$target")
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
    summary+=("$(printf '%-20s %12s runs %8s/s  %s' "$target" "${runs:-?}" "${speed:-?}" "${cov:-no coverage line}")")
done

echo "== fuzzing summary (edges covered, features)"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: failed: ${failed[*]} (inputs in build/fuzz/artifacts/)"
    exit 1
fi
