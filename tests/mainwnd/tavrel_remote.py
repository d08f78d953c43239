"""Driving a running Tavrel.exe under Wine from python: tavrel-probe.exe calls, the settings key, and
the receive queue of its UDP socket as Linux sees it."""

import contextlib
import subprocess

WINE = "/usr/lib/wine/wine64"
SETTINGS_KEY = r"HKCU\SOFTWARE\Morvind\Tavrel"


class Probe:
    def __init__(self, exe):
        self.exe = exe

    def __call__(self, *args, timeout=60):
        """Exit code and the words of the output."""
        result = subprocess.run([WINE, self.exe, *map(str, args)], capture_output=True, text=True,
                                timeout=timeout)
        return result.returncode, result.stdout.split()

    def rows(self):
        """The decode list, one row a line with the cells tab-separated."""
        return subprocess.run([WINE, self.exe, "rows"], capture_output=True, text=True,
                              timeout=60).stdout.splitlines()


def set_settings(values):
    """values: (name, REG_SZ or REG_DWORD, text) triples."""
    for name, kind, value in values:
        subprocess.run([WINE, "reg", "add", SETTINGS_KEY, "/v", name, "/t", kind, "/d", str(value), "/f"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def delete_settings():
    subprocess.run([WINE, "reg", "delete", SETTINGS_KEY, "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def queued_bytes(port):
    """The bytes waiting in the receive queue of the UDP socket bound to `port`, or None."""
    with open("/proc/net/udp") as table:
        for line in table.readlines()[1:]:
            fields = line.split()
            if int(fields[1].split(":")[1], 16) == port:
                return int(fields[4].split(":")[1], 16)
    return None


@contextlib.contextmanager
def running_tavrel(tavrel_exe, probe):
    """Tavrel.exe started with the settings as they are; closed, and the settings key deleted, at the end."""
    tavrel = subprocess.Popen([WINE, tavrel_exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        yield tavrel
    finally:
        probe("close")
        try:
            tavrel.wait(timeout=20)
        except subprocess.TimeoutExpired:
            tavrel.kill()
        delete_settings()
