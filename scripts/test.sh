#!/usr/bin/env bash
# Builds and runs every test: native, native under AddressSanitizer and UndefinedBehaviorSanitizer, a
# short run of every fuzz target, and the Windows tests under Wine in a private namespace. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

scripts/build.sh

echo "== native tests"
ctest --preset host

echo "== native tests under the sanitizers"
cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize
ctest --preset host-sanitize

echo "== fuzz targets, 10 s each"
scripts/fuzz.sh 10

echo "== Windows tests under Wine"
scripts/wine-env.sh ctest --preset windows

echo "== all tests passed in $(( $(date +%s) - start )) s"
