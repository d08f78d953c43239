#!/usr/bin/env python3
"""The main window at 150 % (144 dpi) under Wine: sets LogPixels in the test prefix, restarts the Wine
server so the next process sees it, runs the main window's resolution test, and puts 96 dpi back.
Runs inside scripts/wine-env.sh (ctest does). usage: high_dpi_test.py MAIN_WINDOW_TESTS_EXE"""

import os
import subprocess
import sys

WINE = "/usr/lib/wine/wine64"
HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = [r"HKCU\Control Panel\Desktop", r"HKCU\Software\Wine\Fonts"]


def set_dpi(dpi):
    for key in KEYS:
        subprocess.run([WINE, "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"],
                       capture_output=True, check=True)
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-k"], **quiet)
    subprocess.run(["wineserver", "-w"], **quiet)
    # Back to the session the other tests of the run expect: kept server, booted services, held desktop.
    subprocess.run([os.path.join(HERE, "..", "..", "scripts", "wine-boot.sh")], **quiet, check=True)


def main():
    exe = sys.argv[1]
    set_dpi(144)
    try:
        result = subprocess.run([WINE, exe, "--gtest_filter=MainWindowDpi.*"], timeout=120,
                                env=dict(os.environ, TAVREL_EXPECT_DPI="144"))
        return result.returncode
    finally:
        set_dpi(96)


if __name__ == "__main__":
    sys.exit(main())
