#!/usr/bin/env python3
"""Flood: Tavrel.exe under Wine gets 100,000 mixed datagrams as fast as they can be sent (new and
replayed decodes, other messages, truncated ones, wrong magic numbers, huge and null length fields,
random bytes, and oversized datagrams up to 65,507 bytes; never an empty one, which stops listening on
purpose), then one tagged decode. Afterwards the window answers, the list holds at most MaxEntries rows
with the tagged decode among them, Listen is still on, and the process's memory is within a few MB of
what it was before the flood. Runs inside scripts/wine-env.sh (ctest does).

usage: flood_e2e_test.py TAVREL_EXE PROBE_EXE [COUNT]
"""

import os
import random
import socket
import struct
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import wsjtx_datagrams as w  # noqa: E402
from tavrel_remote import Probe, queued_bytes, running_tavrel, set_settings  # noqa: E402

PORT = 2292
MAX_ENTRIES = 100
MEMORY_SLACK = 4 * 1024 * 1024
IDC_LISTEN = 1000
MESSAGES = ["CQ K1ABC FN42", "K1ABC W9XYZ -12", "W9XYZ K1ABC R-07", "K1ABC W9XYZ RR73", "CQ DX JA1XYZ PM95"]

failures = []


def check(name, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + name + (" (%s)" % detail if detail else ""))
    if not ok:
        failures.append(name)


def new_decode(rng, message=None):
    return w.decode(rng.randrange(86400000), rng.randint(-24, 10), rng.uniform(-2, 2), rng.randrange(200, 3000),
                    message or rng.choice(MESSAGES))


def hostile(rng):
    """One datagram of the mix; the weights are rough shares of a busy, hostile band."""
    kind = rng.random()
    if kind < 0.25:
        return new_decode(rng)
    if kind < 0.35:
        return w.decode(rng.randrange(86400000), -10, 0.1, 1000, rng.choice(MESSAGES), new=False)
    if kind < 0.45:
        return rng.choice([w.heartbeat(), w.status(), w.clear()])
    if kind < 0.55:
        whole = new_decode(rng)
        return whole[:rng.randrange(1, len(whole))]
    if kind < 0.62:
        return w.header(w.DECODE, magic=rng.getrandbits(32)) + new_decode(rng)[12:]
    if kind < 0.72:
        # Length fields of 0xFFFFFFFF (a null string, which is valid) and just below it (which is not).
        length = rng.choice([0xFFFFFFFF, 0xFFFFFFFE, 0x7FFFFFFF, 0x80000000])
        fields = struct.pack(">I?Iid", length, True, 1000, -5, 0.2) + struct.pack(">III", 0, length, length)
        return w.header(w.DECODE) + fields
    if kind < 0.98:
        return rng.randbytes(rng.randint(1, 200))
    return rng.randbytes(rng.randint(10241, 65507))


def main():
    tavrel_exe, probe_exe = sys.argv[1:3]
    probe = Probe(probe_exe)
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 100000
    rng = random.Random(16)
    set_settings([("UdpPort", "REG_SZ", PORT), ("MaxEntries", "REG_DWORD", MAX_ENTRIES)])
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sender.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1 << 20)
    target = ("127.0.0.1", PORT)
    with running_tavrel(tavrel_exe, probe):
        check("the window opens", probe("wait-window", 60000)[0] == 0)
        if failures:
            return 1
        probe("click", IDC_LISTEN)

        # Fill the list first, so the memory before and after is that of a full list.
        for i in range(MAX_ENTRIES + 20):
            sender.sendto(new_decode(rng), target)
            time.sleep(0.002)
        for _ in range(300):
            if probe("row-count")[1] == [str(MAX_ENTRIES)]:
                break
            time.sleep(0.1)
        _, before = probe("memory")

        start = time.monotonic()
        sent_bytes = 0
        for _ in range(count):
            datagram = hostile(rng)
            sent_bytes += len(datagram)
            try:
                sender.sendto(datagram, target)
            except BlockingIOError:
                pass
        sent_seconds = time.monotonic() - start
        print("sent %d datagrams (%.1f MB) in %.1f s; %s bytes queued in the socket at the end"
              % (count, sent_bytes / 1e6, sent_seconds, queued_bytes(PORT)))

        code, answer = probe("ping", 30000)
        check("the window answers after the flood", code == 0, "%s ms" % (answer[0] if answer else "no answer"))

        # What the socket holds when the flood ends is taken in first; the system may drop the rest, but
        # the tagged decode must not be lost to a full socket, so it goes once the queue is empty.
        while (queued_bytes(PORT) or 0) > 0 and time.monotonic() - start < 200:
            time.sleep(0.2)
        drained = time.monotonic() - start - sent_seconds
        tag = "FLOOD END %d" % rng.randrange(10000)
        sender.sendto(new_decode(rng, tag), target)
        listed = []
        for _ in range(100):
            listed = probe.rows()
            if listed and tag in listed[-1]:
                break
            time.sleep(0.2)
        print("socket queue empty %.1f s after the flood ended" % drained)
        check("the tagged decode is listed last", bool(listed) and tag in listed[-1])
        check("the list holds at most MaxEntries rows", len(listed) <= MAX_ENTRIES, "%d rows" % len(listed))
        check("Listen is still on", probe("checked", IDC_LISTEN)[1] == ["1"])

        _, after = probe("memory")
        grown = int(after[0]) - int(before[0]) if before and after else None
        print("private bytes before %s, after %s; working set before %s, after %s"
              % (before[0], after[0], before[1], after[1]) if grown is not None else "memory not read")
        check("memory stays within a few MB", grown is not None and grown < MEMORY_SLACK,
              "%+.1f MB" % (grown / 1048576) if grown is not None else "")
    print("%d failed" % len(failures) if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
