#!/usr/bin/env python3
"""End to end: Tavrel.exe under Wine, driven from outside by tavrel-probe.exe and fed by
scripts/wsjtx-feed.py. Runs inside scripts/wine-env.sh (ctest does), where the clock cannot be changed:
Wine refuses any shift of half a second or more with "no right", as a non-administrator's Windows does.

usage: main_window_e2e_test.py TAVREL_EXE PROBE_EXE RECORDER_EXE
The product is copied into a folder of its own under another name, next to the recorder named
Tavrel.exe, so the elevated copy that "Update" starts is the recorder and its command line can be read.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FEED = os.path.join(HERE, "..", "..", "scripts", "wsjtx-feed.py")
WINE = "/usr/lib/wine/wine64"
PORT = 2290
KEY = r"HKCU\SOFTWARE\Morvind\Tavrel"

IDC_LISTEN, IDC_OFFSET, IDC_CALCULATE, IDC_UPDATE = 1000, 1004, 1005, 1006
IDC_SETUP, IDC_TIME, IDC_COLOR_TEXT = 1011, 1015, 1026

failures = []


def check(name, got, want):
    if got == want:
        print("ok   " + name)
    else:
        print("FAIL %s\n  want: %r\n  got:  %r" % (name, want, got))
        failures.append(name)


def probe(*args, timeout=30):
    result = subprocess.run([WINE, PROBE, *map(str, args)], capture_output=True, text=True, timeout=timeout)
    return result.returncode, result.stdout.splitlines()


def start_tavrel(*args, env=None):
    return subprocess.Popen([WINE, PRODUCT, *args], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wait_exit(process, seconds=20):
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        return None


def stored(name):
    query = [WINE, "reg", "query", KEY, "/v", name]
    return subprocess.run(query, capture_output=True).returncode == 0


def windowed_road(folder):
    record = os.path.join(folder, "record.txt")
    env = dict(os.environ, TAVREL_RECORDER_FILE="Z:" + record.replace("/", "\\"))
    tavrel = start_tavrel(env=env)
    code, _ = probe("wait-window", 15000)
    check("the window opens", code, 0)
    default_corner = probe("corner")[1]
    probe("click", IDC_LISTEN)

    feed = subprocess.run([sys.executable, FEED, "--port", str(PORT), "--fast", "--periods", "3", "--seed", "7",
                           "--offset", "0.45", "--spread", "0.05", "--print-rows"],
                          capture_output=True, text=True, timeout=60, check=True)
    sent = feed.stdout.splitlines()
    listed = []
    for _ in range(100):
        _, listed = probe("rows")
        if len(listed) >= len(sent):
            break
        time.sleep(0.1)
    check("the list shows every new decode sent, and no replay", listed, sent)

    probe("click", IDC_CALCULATE)
    _, offset = probe("text", IDC_OFFSET)
    value = float(offset[0]) if offset and offset[0] else None
    check("Calculate finds the offset the feed was built around (%r)" % offset,
          value is not None and abs(value - 0.45) < 0.1, True)

    # Under Wine a shift of 2.5 s is refused: the elevated copy gets the negated offset.
    probe("set-text", IDC_OFFSET, "2.5")
    probe("click", IDC_UPDATE)
    for _ in range(100):
        if os.path.exists(record):
            break
        time.sleep(0.1)
    lines = open(record).read().splitlines() if os.path.exists(record) else []
    check("Update with the clock refused starts the elevated copy", lines[2:3], ["/set -2.50"])
    _, rows = probe("row-count")
    check("Update clears the list", rows, ["0"])
    _, offset = probe("text", IDC_OFFSET)
    check("Update clears the offset", offset, [""])

    probe("close")
    check("closing ends the program", wait_exit(tavrel) is not None, True)
    return default_corner


def dialogs_and_position(default_corner):
    """Every dialog, reached as a user reaches it: the about box through the system menu (chosen with
    the keyboard), the NTP and setup dialogs through their buttons, the colour chooser through a swatch
    of the setup dialog. Then the position kept across runs."""
    tavrel = start_tavrel()
    probe("wait-window", 15000)
    probe("system-menu", "up", "enter")  # the last entry
    code, about = probe("dialog", "About Tavrel", 8000)
    check("About Tavrel... opens the about box with its links", code == 0 and
          {"1263\thttps://tavrel.morvind.net/", "1264\tsupport@morvind.net"} <= set(about), True)

    probe("press", IDC_TIME)
    code, ntp = probe("dialog", "Synchronize Time with NTP", 8000)
    check("Time opens the NTP dialog with the first server chosen", code == 0 and
          {"1017\tpool.ntp.org", "1\tGet", "1019\tSet"} <= set(ntp), True)

    probe("press", IDC_SETUP)
    probe("dialog-click", "Setup", IDC_COLOR_TEXT)
    check("a swatch of the setup dialog opens the colour chooser at its colour",
          probe("color", "print", "cancel"), (0, ["0 0 0"]))
    code, setup = probe("dialog", "Setup", 8000)
    check("Setup opens the setup dialog with the stored endpoint", code == 0 and
          {"1031\t127.0.0.1", "1032\t%d" % PORT, "1024\tDefault"} <= set(setup), True)
    check("the main window goes on after its dialogs", probe("corner")[0], 0)

    probe("move", 140, 90)
    probe("close")
    wait_exit(tavrel)
    check("closing stores the position", (stored("Left"), stored("Top")), (True, True))
    tavrel = start_tavrel()
    probe("wait-window", 15000)
    check("the next run opens there", probe("corner")[1], ["140 90"])

    probe("system-menu", "up", "up", "enter")  # "Reset position"
    for _ in range(30):
        if not stored("Left"):
            break
        time.sleep(0.1)
    check("Reset position forgets it at once", (stored("Left"), stored("Top")), (False, False))
    probe("close")
    wait_exit(tavrel)
    check("closing after Reset position stores nothing", (stored("Left"), stored("Top")), (False, False))
    tavrel = start_tavrel()
    probe("wait-window", 15000)
    check("the next run opens at the default position", probe("corner")[1], default_corner)
    probe("close")
    wait_exit(tavrel)


def one_shot_commands():
    tavrel = start_tavrel("/set", "1.5")
    code, texts = probe("boxes", 8000)
    check("/set 1.5 refused: one message", texts, ["Failed to set the system time"])
    check("/set 1.5 ends after the message", wait_exit(tavrel) is not None, True)
    check("/set 1.5 opens no window", probe("no-window", 500)[0], 0)

    tavrel = start_tavrel("x", "/set", "3", "y")
    code, texts = probe("boxes", 8000)
    check("x /set 3 y finds the switch", texts, ["Failed to set the system time"])
    wait_exit(tavrel)

    for args in (["/SET", "1"], ["foo"]):
        tavrel = start_tavrel(*args)
        check("%s ends at once" % " ".join(args), wait_exit(tavrel, 15), 0)
        check("%s shows nothing" % " ".join(args), probe("boxes", 300)[0], 1)


def main():
    global PRODUCT, PROBE
    product_exe, PROBE, recorder_exe = sys.argv[1:4]
    folder = tempfile.mkdtemp(prefix="tavrel-e2e-")
    try:
        PRODUCT = os.path.join(folder, "TavrelMain.exe")
        shutil.copy(product_exe, PRODUCT)
        shutil.copy(recorder_exe, os.path.join(folder, "Tavrel.exe"))
        subprocess.run([WINE, "reg", "add", KEY, "/v", "UdpPort", "/d", str(PORT), "/f"], capture_output=True,
                       check=True)
        dialogs_and_position(windowed_road(folder))
        one_shot_commands()
    finally:
        subprocess.run([WINE, "reg", "delete", KEY, "/f"], capture_output=True)
        shutil.rmtree(folder, ignore_errors=True)
    print("%d failed" % len(failures) if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
