#!/usr/bin/env python3
"""Timing program (run by hand, not a test): how many decodes reach Tavrel.exe's list when they arrive
at a given rate, and how many the system dropped because the socket was full. The list is not full
(MaxEntries 10000). Run inside scripts/wine-env.sh:

  scripts/wine-env.sh tests/mainwnd/intake_rate.py build/windows/Tavrel.exe \\
      build/windows/tests/bin/tavrel-probe.exe RATE COUNT

RATE is in decodes per second (0: all at once)."""

import os
import random
import socket
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import wsjtx_datagrams as w  # noqa: E402
from tavrel_remote import Probe, queued_bytes, running_tavrel, set_settings  # noqa: E402

PORT = 2293
IDC_LISTEN = 1000


def main():
    tavrel_exe, probe_exe = sys.argv[1:3]
    rate = float(sys.argv[3]) if len(sys.argv) > 3 else 200
    count = int(sys.argv[4]) if len(sys.argv) > 4 else 900
    probe = Probe(probe_exe)
    rng = random.Random(2)
    set_settings([("UdpPort", "REG_SZ", PORT), ("MaxEntries", "REG_DWORD", 10000)])
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    with running_tavrel(tavrel_exe, probe):
        if probe("wait-window", 60000)[0] != 0:
            sys.exit("Tavrel's window did not open")
        probe("click", IDC_LISTEN)
        time.sleep(0.5)
        start = time.monotonic()
        peak = 0
        for i in range(count):
            if rate > 0:
                time.sleep(max(0.0, start + i / rate - time.monotonic()))
            sender.sendto(w.decode(rng.randrange(86400000), -10, 0.1, 1000, "CQ K1ABC %d" % i), ("127.0.0.1", PORT))
            if i % 20 == 0:
                peak = max(peak, queued_bytes(PORT) or 0)
        sent = time.monotonic() - start
        while (queued_bytes(PORT) or 0) > 0:
            time.sleep(0.2)
        listed = int(probe("row-count")[1][0])
        print("rate %s/s, %d decodes sent in %.1f s: %d listed, %d dropped, %.1f s to take in, peak queue %d bytes"
              % (rate or "all at once", count, sent, listed, count - listed, time.monotonic() - start, peak))


if __name__ == "__main__":
    main()
