#!/usr/bin/env bash
# build.sh [PRESET...]
# Builds the native build of the portable code with its tests and benchmarks (preset host, build/host)
# and the Windows executables and tests (preset windows, build/windows); both when no preset is named.
# Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(host windows)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
