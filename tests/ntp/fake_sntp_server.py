#!/usr/bin/env python3
"""A fake SNTP server for the client's tests, on loopback only.

fake_sntp_server.py PORTS_FILE
    Binds one UDP port on 127.0.0.1 per kind of reply below, writes KIND=PORT lines to PORTS_FILE and
    answers until it is killed. One more line names a free port, CLOSED, which nothing is bound to.
    Where it may (as root in a private namespace) it also answers each kind on the SNTP port 123 of an
    address of its own, 127.0.1.N, written as HOST_KIND=ADDRESS lines.
fake_sntp_server.py --wait PORT
    Waits up to 10 s for an SNTP answer from PORT; exit status 0 when one comes.
"""
import os
import select
import socket
import struct
import sys
import time

HALF_SECOND = 0x80000000
NTP_UNIX_OFFSET = 2208988800


def server_reply(request, stratum=2, mode=4, receive_delta=0, originate_delta=0, transmit=None, leap=0):
    """A version 3 reply to `request` whose receive and transmit times are its originate plus a delta."""
    (sent,) = struct.unpack_from(">Q", request, 40)
    when = (sent + receive_delta) & 0xFFFFFFFFFFFFFFFF
    header = struct.pack(">BBbbIII", (leap << 6) | (3 << 3) | mode, stratum, 0, -20, 0, 0, 0x7F7F0101)
    originate = (sent + originate_delta) & 0xFFFFFFFFFFFFFFFF
    return header + struct.pack(">QQQQ", when, originate, when, when if transmit is None else transmit)


# Each kind answers a request with these bytes (None: no answer at all).
KINDS = {
    "ECHO": lambda r: server_reply(r),  # T2 = T3 = T1
    "AHEAD": lambda r: server_reply(r, receive_delta=HALF_SECOND),  # the server is 0.5 s ahead
    "LONG": lambda r: server_reply(r, receive_delta=HALF_SECOND) + bytes(range(40)),
    "SHORT": lambda r: server_reply(r)[:40],
    "EMPTY": lambda r: b"",
    "ZERO": lambda r: bytes(48),
    "REFLECT": lambda r: bytes(r),  # the request itself, mode 3
    "KISS": lambda r: server_reply(r, stratum=0)[:12] + b"RATE" + server_reply(r, stratum=0)[16:],
    "NOTRANSMIT": lambda r: server_reply(r, transmit=0),
    "MISMATCH": lambda r: server_reply(r, originate_delta=1),
    "UNSYNCED": lambda r: server_reply(r, leap=3),  # the server's clock is not synchronised
    "STRATUM16": lambda r: server_reply(r, stratum=16),
    "SILENT": lambda r: None,
}


def serve(ports_file):
    sockets = {}
    lines = []
    for number, kind in enumerate(KINDS, start=1):
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.bind(("127.0.0.1", 0))
        sockets[s] = kind
        lines.append(f"{kind}={s.getsockname()[1]}")
        host = f"127.0.1.{number}"
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        try:
            s.bind((host, 123))
        except OSError:
            s.close()
            continue
        sockets[s] = kind
        lines.append(f"HOST_{kind}={host}")
    # Bound together with the others, so it differs from every port above.
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as free:
        free.bind(("127.0.0.1", 0))
        lines.append(f"CLOSED={free.getsockname()[1]}")
    with open(ports_file + ".tmp", "w") as f:
        f.write("\n".join(lines) + "\n")
    os.rename(ports_file + ".tmp", ports_file)
    while True:
        readable, _, _ = select.select(list(sockets), [], [])
        for s in readable:
            request, peer = s.recvfrom(1024)
            if len(request) < 48:
                continue
            answer = KINDS[sockets[s]](request)
            if answer is not None:
                s.sendto(answer, peer)


def answers(port):
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(0.2)
        request = bytearray(48)
        request[0] = 0x1B
        struct.pack_into(">II", request, 40, int(time.time()) + NTP_UNIX_OFFSET, 1)
        try:
            s.sendto(request, ("127.0.0.1", port))
            return len(s.recv(1024)) >= 48
        except OSError:
            return False


def wait(port):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if answers(port):
            return 0
        time.sleep(0.05)
    return 1


if __name__ == "__main__":
    if sys.argv[1] == "--wait":
        sys.exit(wait(int(sys.argv[2])))
    serve(sys.argv[1])
