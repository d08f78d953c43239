#!/usr/bin/env python3
"""End to end: tavrel-listen.exe under Wine prints one line per datagram that the main window acts on.
Run inside scripts/wine-env.sh (ctest does); usage: listen_tool_test.py PATH/TO/tavrel-listen.exe 'VERSION LINE'"""

import os
import signal
import socket
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import wsjtx_datagrams as w  # noqa: E402

WINE = "/usr/lib/wine/wine64"
PORT = 2301


def start(exe, *args):
    proc = subprocess.Popen([WINE, exe, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    return proc


def wait_listening(proc):
    line = proc.stderr.readline()
    if "Listening on" not in line:
        raise AssertionError("no listening line, got: %r" % line)


def send_all(datagrams, port=PORT):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    for d in datagrams:
        s.sendto(d, ("127.0.0.1", port))
        time.sleep(0.02)
    s.close()


def stop(proc, lines):
    """Ends the tool with Ctrl+C once it has printed LINES lines (or after 20 s); its exit code and output."""
    timer = threading.Timer(20, proc.send_signal, [signal.SIGINT])
    timer.start()
    printed = [proc.stdout.readline() for _ in range(lines)]
    timer.cancel()
    proc.send_signal(signal.SIGINT)
    out, err = proc.communicate(timeout=20)
    return proc.returncode, "".join(printed) + out, err


def check(name, got, want):
    if got != want:
        print("FAIL %s\n  want: %r\n  got:  %r" % (name, want, got))
        return False
    print("ok   %s" % name)
    return True


def main():
    exe = sys.argv[1]
    ok = True

    # A realistic mix: only what the main window would act on is printed.
    proc = start(exe, "--port", str(PORT))
    wait_listening(proc)
    send_all([
        w.heartbeat(),
        w.status(),
        w.decode(45296789, -12, 0.25, 1234, "CQ K1ABC FN42"),
        w.decode(309000, 3, -1.1, 600, "K1ABC W9XYZ -12"),
        w.decode(309000, 3, -1.1, 600, "K1ABC W9XYZ -12", new=False),
        w.decode(1000, -5, 0.1, 800, "CQ DX " + "X" * 40, client_id="WSJT-X - IC-7300"),  # 110 bytes
        w.decode(2000, -1, 0.0, 900, "A\tB\nforged\r"),  # control characters cannot add fields or lines
        b"not wsjt-x, but long enough",
        b"x" * 20000,  # longer than the listener's buffer: dropped, listening goes on
        w.header(10) + b"\0" * 8,
        w.header(16) + b"\0" * 8,
        w.clear(),
    ])
    code, out, err = stop(proc, len(expected_mixed()))  # the last datagram prints the last line
    ok &= check("mixed datagrams", out.splitlines(), expected_mixed())
    ok &= check("Ctrl+C ends cleanly", code, 0)

    # Verbose: ignored datagrams say why.
    proc = start(exe, "--port", str(PORT), "--verbose")
    wait_listening(proc)
    send_all([b"short", w.header(10) + b"\0" * 8])
    code, out, err = stop(proc, 2)
    ok &= check("verbose reasons", out.splitlines(), [
        "ignored (5 bytes): length outside 13..10240 bytes",
        "ignored (20 bytes): message type without a name",
    ])

    # An empty datagram stops listening: the tool says so and exits non-zero.
    proc = start(exe, "--port", str(PORT))
    wait_listening(proc)
    send_all([b""])
    out, err = proc.communicate(timeout=20)
    ok &= check("empty datagram stops", proc.returncode, 3)
    ok &= check("empty datagram message", "Listening stopped" in err, True)

    # A failed start prints the warning box's text and exits non-zero.
    proc = start(exe, "--server", "localhost", "--port", str(PORT))
    out, err = proc.communicate(timeout=20)
    ok &= check("host name refused", (proc.returncode, err.strip()),
                (1, "Cannot create UDP Socket connection.\nError code: 10022"))

    # --version prints the about box's version line, made from the project's version and build number.
    proc = start(exe, "--version")
    out, err = proc.communicate(timeout=20)
    ok &= check("version line", (proc.returncode, out), (0, sys.argv[2] + "\n"))

    # Bad options.
    proc = start(exe, "--bogus")
    out, err = proc.communicate(timeout=20)
    ok &= check("unknown option", proc.returncode, 2)

    return 0 if ok else 1


def expected_mixed():
    return [
        "Heartbeat",
        "Status",
        "123456\t-12\t0.2\t1234\tCQ K1ABC FN42",
        "000509\t3\t-1.1\t600\tK1ABC W9XYZ -12",
        "Decode",
        "000001\t-5\t0.1\t800\tCQ DX " + "X" * 26,
        "000002\t-1\t0.0\t900\tA\\tB\\nforged\\r",
        "Clear",
    ]


if __name__ == "__main__":
    sys.exit(main())
