#!/usr/bin/env bash
# package.sh [--check]
# Builds the release from a clean Windows build of the shipped programs only and puts into dist/:
#   Tavrel-<version>-win64.zip     the portable program
#   Tavrel-<version>-setup.exe     the installer
#   SHA256SUMS                     their checksums (Tavrel.exe's is printed as well)
# <version> is the project's version in CMakeLists.txt. SOURCE_DATE_EPOCH is the last commit's time.
#
# --check instead shows that the release is reproducible, and leaves dist/ alone: the source tree is
# copied into two folders of different names, each is built from scratch as above, and the two
# Tavrel.exe, zips and installers must be byte-identical. Exit status 1 if they are not.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

# Compiles are shared through ccache when it is there; paths below the tree are hashed relative to it, so
# the second folder of --check reuses the first one's objects.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}"
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

# build_release SOURCE_DIR: a clean build of SOURCE_DIR in SOURCE_DIR/build/release; prints nothing but
# errors.
build_release() {
    local source=$1 build=$1/build/release
    rm -rf "$build"
    cmake -S "$source" -B "$build" -G Ninja --toolchain "$source/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DTAVREL_LIBPNG_SOURCE_DIR="$source/build/deps/libpng" >/dev/null
    nice cmake --build "$build" --target packages >/dev/null
}

version=$(sed -n 's/^project(Tavrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
artefacts=("Tavrel-$version-win64.zip" "Tavrel-$version-setup.exe")

scripts/install-deps.sh >&2
echo "package: Tavrel $version, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

if [ "${1:-}" != --check ]; then
    build_release "$here"
    rm -rf dist
    mkdir -p dist
    for file in "${artefacts[@]}"; do
        cp "build/release/dist/$file" dist/
    done
    (cd dist && sha256sum "${artefacts[@]}" >SHA256SUMS)
    cat dist/SHA256SUMS
    (cd build/release && sha256sum Tavrel.exe)
else
    # Two copies of the tree as a clean clone has it (tracked and new files, nothing ignored), with the
    # unpacked third-party sources where install-deps.sh puts them.
    repro="$here/build/repro"
    rm -rf "$repro"
    trees=("$repro/first/tavrel" "$repro/second-place/Tavrel-source")
    for tree in "${trees[@]}"; do
        mkdir -p "$tree/build"
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
            tar --null --files-from=- -cf - | tar -xf - -C "$tree"
        ln -s "$(readlink -f build/deps)" "$tree/build/deps"
        echo "package: clean build in $tree"
        build_release "$tree"
    done
    status=0
    for file in Tavrel.exe "dist/${artefacts[0]}" "dist/${artefacts[1]}"; do
        if cmp "${trees[0]}/build/release/$file" "${trees[1]}/build/release/$file"; then
            echo "package: byte-identical in both builds: $(cd "${trees[0]}/build/release" && sha256sum "$file")"
        else
            echo "package: $(basename "$file") differs between the two builds" >&2
            status=1
        fi
    done
    [ $status = 1 ] || rm -rf "$repro"
    exit $status
fi
