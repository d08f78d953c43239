#!/usr/bin/env bash
# Builds and runs every test: native, native under AddressSanitizer and UndefinedBehaviorSanitizer, a
# short run of every fuzz target, and the Windows tests under Wine in a private namespace. Installs what is missing first.
# The fuzz targets (one core for their fixed time) run beside the other phases; their report comes last.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
phase_start=$start
phase() {
    local now
    now=$(date +%s)
    echo "== $1 in $((now - phase_start)) s"
    phase_start=$now
}

scripts/build.sh
cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
phase "built"

echo "== fuzz targets, 10 s each, meanwhile (build/fuzz/fuzz.sh.log)"
scripts/fuzz.sh 10 >build/fuzz/fuzz.sh.log 2>&1 &
fuzz_pid=$!
fuzz_stop() {
    pkill -P "$fuzz_pid" 2>/dev/null || true
    kill "$fuzz_pid" 2>/dev/null || true
}
trap fuzz_stop EXIT

echo "== native tests"
ctest --preset host
phase "native tests passed"

echo "== native tests under the sanitizers"
ctest --preset host-sanitize
phase "sanitizer tests passed"

echo "== Windows tests under Wine, two sessions at once"
scripts/wine-env.sh --lanes 2 ctest --preset windows -j3
phase "Windows tests passed"

fuzz_status=0
wait "$fuzz_pid" || fuzz_status=$?
trap - EXIT
sed -n '/^== fuzzing summary/,$p' build/fuzz/fuzz.sh.log
if [ "$fuzz_status" != 0 ]; then
    cat build/fuzz/fuzz.sh.log
    exit "$fuzz_status"
fi
phase "fuzzing passed, waited"

echo "== all tests passed in $(( $(date +%s) - start )) s"
