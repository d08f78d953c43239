#!/usr/bin/env bash
# ntp-servers.sh COMMAND [ARGS...]
# Runs COMMAND with two SNTP servers on loopback and stops them afterwards:
#   chronyd with clock control off (-x) on 127.0.0.1, port 123 (also in TAVREL_CHRONY_PORT);
#   fake_sntp_server.py, one port per kind of reply in TAVREL_FAKE_SNTP_<KIND>, and each kind on port
#   123 of its own address in TAVREL_FAKE_SNTP_HOST_<KIND>.
# Both run only inside a private user namespace (netns-run.sh or wine-env.sh), where the kernel would
# refuse a clock change even if one were tried. Listing a test program's tests starts no servers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

for arg in "$@"; do
    [ "$arg" = --gtest_list_tests ] && exec "$@"
done

if [ "$(awk '{print $1, $2, $3; exit}' /proc/self/uid_map)" = "0 0 4294967295" ]; then
    echo "ntp-servers.sh: not in a private user namespace; run it through scripts/netns-run.sh" \
         "or scripts/wine-env.sh" >&2
    exit 2
fi

# chronyd comes out of Debian's package, unpacked by scripts/install-deps.sh (never installed as a service).
chronyd=${TAVREL_CHRONYD:-$here/../../build/deps/chrony/usr/sbin/chronyd}
if [ ! -x "$chronyd" ]; then
    echo "ntp-servers.sh: no chronyd at $chronyd; run scripts/install-deps.sh" >&2
    exit 2
fi

dir=$(mktemp -d /tmp/tavrel-ntp.XXXXXX)
chrony_pid=""
fake_pid=""
cleanup() {
    for pid in $fake_pid $chrony_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$dir"
}
trap cleanup EXIT

python3 "$here/fake_sntp_server.py" "$dir/ports" >"$dir/fake.log" 2>&1 &
fake_pid=$!
for _ in $(seq 200); do
    [ -e "$dir/ports" ] && break
    sleep 0.05
done
if [ ! -e "$dir/ports" ]; then
    echo "ntp-servers.sh: the fake server did not start" >&2
    cat "$dir/fake.log" >&2
    exit 2
fi
while IFS='=' read -r kind port; do
    export "TAVREL_FAKE_SNTP_$kind=$port"
done <"$dir/ports"
# The SNTP port itself, as the time dialog always asks there; root in the namespace may bind it.
export TAVREL_CHRONY_PORT=123

cat >"$dir/chrony.conf" <<CONF
port $TAVREL_CHRONY_PORT
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 8
cmdport 0
pidfile $dir/chronyd.pid
driftfile $dir/chrony.drift
CONF
"$chronyd" -x -d -u root -f "$dir/chrony.conf" >"$dir/chrony.log" 2>&1 &
chrony_pid=$!

if ! python3 "$here/fake_sntp_server.py" --wait "$TAVREL_CHRONY_PORT" ||
   ! python3 "$here/fake_sntp_server.py" --wait "$TAVREL_FAKE_SNTP_ECHO"; then
    echo "ntp-servers.sh: the servers did not start" >&2
    cat "$dir/chrony.log" "$dir/fake.log" >&2
    exit 2
fi

set +e
"$@"
status=$?
set -e
exit $status
