#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine. Safe to run again: it only
# installs what is missing. Needs root (or sudo).
#
# It never installs, stops or disables a service, and it writes nothing into the system's apt
# configuration: the NTP server the tests talk to is taken out of Debian's chrony package into build/deps/
# without installing the package (installing it would replace the machine's own time service), and
# libpng's source comes through a temporary source list under build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev python3 iproute2 util-linux dpkg-dev
    g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
    libgtest-dev googletest libbenchmark-dev libpng-dev zlib1g-dev
    wine64 fonts-wine xvfb xdotool imagemagick x11-utils nsis clang-format ccache
    # What chronyd links against: ordinary libraries, no service.
    libcap2 libedit2 libgnutls30 libnettle8 libseccomp2
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
updated=""
if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    $sudo apt-get update -qq
    updated=1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# chronyd, unpacked from the package without installing it.
chronyd="$deps/chrony/usr/sbin/chronyd"
if [ ! -x "$chronyd" ]; then
    [ -n "$updated" ] || $sudo apt-get update -qq
    work=$(mktemp -d)
    (cd "$work" && apt-get download -qq chrony >/dev/null 2>&1)
    rm -rf "$deps/chrony"
    mkdir -p "$deps/chrony"
    dpkg -x "$work"/chrony_*.deb "$deps/chrony"
    rm -rf "$work"
    echo "install-deps: chronyd in $chronyd"
fi

# libpng 1.6 for the Windows target, from Debian's source package (built by our CMake, never committed).
# apt is pointed at a source list of our own under build/apt, made from the mirrors the machine's own
# sources name; the security archive's sources are not reachable everywhere, so it is left out.
png_dir="$deps/libpng"
if [ ! -f "$png_dir/png.h" ]; then
    apt_dir="$here/build/apt"
    rm -rf "$apt_dir"
    mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial"
    python3 - "$apt_dir/sources.list" <<'PY'
import glob, re, sys
lines = set()
def add(uri, suites, comps, signed):
    if "security" in uri or "debian" not in uri:
        return
    opt = f"[signed-by={signed}] " if signed else ""
    for suite in suites:
        if suite.startswith("bookworm"):
            lines.add(f"deb-src {opt}{uri} {suite} {' '.join(comps)}")
for path in ["/etc/apt/sources.list"] + glob.glob("/etc/apt/sources.list.d/*.list"):
    try:
        text = open(path).read()
    except OSError:
        continue
    for line in text.splitlines():
        m = re.match(r"\s*deb(?:-src)?\s+(\[[^\]]*\]\s+)?(\S+)\s+(\S+)\s+(.*)", line)
        if m:
            signed = re.search(r"signed-by=(\S+?)[\s\]]", m.group(1) or "")
            add(m.group(2), [m.group(3)], m.group(4).split(), signed.group(1) if signed else "")
for path in glob.glob("/etc/apt/sources.list.d/*.sources"):
    for stanza in open(path).read().split("\n\n"):
        fields = {}
        for line in stanza.splitlines():
            if ":" in line and not line.startswith("#"):
                key, value = line.split(":", 1)
                fields[key.strip()] = value.strip()
        if "deb" in fields.get("Types", "").split() and fields.get("Enabled", "yes") != "no":
            for uri in fields.get("URIs", "").split():
                add(uri, fields.get("Suites", "").split(), fields.get("Components", "").split(),
                    fields.get("Signed-By", ""))
if not lines:
    sys.exit("install-deps: no Debian source in the machine's apt configuration")
open(sys.argv[1], "w").write("\n".join(sorted(lines)) + "\n")
PY
    apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
              -o "Dir::State::Lists=$apt_dir/lists")
    $sudo apt-get "${apt_opts[@]}" update -qq
    work=$(mktemp -d)
    (cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq libpng1.6 >/dev/null 2>&1 &&
        dpkg-source -x --no-check ./libpng1.6_*.dsc src >/dev/null)
    mkdir -p "$deps"
    rm -rf "$png_dir"
    mv "$work/src" "$png_dir"
    rm -rf "$work" "$apt_dir"
    echo "install-deps: libpng sources in $png_dir"
fi
