#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine. Safe to run again:
# it only installs what is missing. Needs root (or sudo).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

packages=(
    cmake ninja-build g++ python3 iproute2 util-linux dpkg-dev
    g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
    libgtest-dev googletest libbenchmark-dev libpng-dev zlib1g-dev
    wine64 fonts-wine xvfb xdotool imagemagick x11-utils
    chrony clang-format
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# The chrony package would start a system NTP service that steers the real clock. Block every service
# start while installing; the tests start their own server with clock control off.
blocked_services() {
    if [ -e /usr/sbin/policy-rc.d ]; then return 0; fi
    printf '#!/bin/sh\nexit 101\n' | $sudo tee /usr/sbin/policy-rc.d >/dev/null
    $sudo chmod +x /usr/sbin/policy-rc.d
    trap '$sudo rm -f /usr/sbin/policy-rc.d' EXIT
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    blocked_services
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Never leave a system time service running.
if command -v systemctl >/dev/null 2>&1 && [ -d /run/systemd/system ]; then
    $sudo systemctl disable --now chrony.service >/dev/null 2>&1 || true
fi
if [ -x /etc/init.d/chrony ]; then
    $sudo /etc/init.d/chrony stop >/dev/null 2>&1 || true
fi

# libpng 1.6 for the Windows target, from Debian's source package (built by our CMake, never committed).
png_dir="$here/build/deps/libpng"
if [ ! -f "$png_dir/png.h" ]; then
    if ! apt-cache showsrc libpng1.6 >/dev/null 2>&1 || [ -z "$(apt-cache showsrc libpng1.6 2>/dev/null)" ]; then
        $sudo tee /etc/apt/sources.list.d/tavrel-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        $sudo apt-get update -qq
    fi
    work=$(mktemp -d)
    (cd "$work" && apt-get source --download-only -qq libpng1.6 >/dev/null 2>&1 &&
        dpkg-source -x --no-check ./libpng1.6_*.dsc src >/dev/null)
    mkdir -p "$(dirname "$png_dir")"
    rm -rf "$png_dir"
    mv "$work/src" "$png_dir"
    rm -rf "$work"
    echo "install-deps: libpng sources in $png_dir"
fi
