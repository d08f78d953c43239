#!/usr/bin/env python3
"""The installer under Wine, as an administrator would use it silently: install into Program Files, start
Tavrel from there, find the Start-menu entry and the uninstall entry, uninstall, and find every installed
file gone and the user's settings kept. Runs inside scripts/wine-env.sh (ctest does), in a Wine prefix of
its own, so that no window, process or setting left by another test can stand in for the installed one.

usage: installer_test.py SETUP_EXE TAVREL_EXE PROBE_EXE
TAVREL_EXE is the build's own Tavrel.exe, which the installer must carry unchanged.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
INSTALLED = ["Tavrel.exe", "tavrel-listen.exe", "USER-GUIDE.md", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt",
             "uninstall.exe"]
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrel"
SETTINGS_KEY = r"HKCU\SOFTWARE\Morvind\Tavrel"

passed = []
failures = []


def check(name, got, want):
    if got == want:
        print("ok   " + name)
        passed.append(name)
    else:
        print("FAIL %s\n  want: %r\n  got:  %r" % (name, want, got))
        failures.append(name)


# Wine would otherwise mirror the Start-menu entry into the desktop's own menu in the real home folder.
ENV = dict(os.environ, WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "") + ";winemenubuilder.exe=d")


def wine(*args, timeout=60):
    return subprocess.run([WINE, *args], capture_output=True, text=True, timeout=timeout, env=ENV)


def wine_gui(*args, timeout=60):
    """The exit code of a Windows GUI program. Its output is not read: a process it leaves running (Wine
    starts its desktop process with the first window) would keep a pipe open long after it ended."""
    return subprocess.run([WINE, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout,
                          env=ENV).returncode


def reg_query(key, value=None):
    """The value's data as reg prints it, or None when the key or value is missing."""
    result = wine("reg", "query", key, *(["/v", value] if value else []))
    if result.returncode != 0:
        return None
    if value is None:
        return ""
    for line in result.stdout.splitlines():
        parts = line.split(None, 2)
        if len(parts) >= 2 and parts[0] == value:
            return parts[2].strip() if len(parts) == 3 else ""
    return None


def wait_until(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def main():
    prefix = tempfile.mkdtemp(prefix="tavrel-installer.")
    ENV["WINEPREFIX"] = prefix
    try:
        if os.environ.get("TAVREL_WINE_TEMPLATE"):
            # A copy of the booted prefix scripts/wine-env.sh keeps, its settings included.
            shutil.copytree(os.environ["TAVREL_WINE_TEMPLATE"], prefix, symlinks=True, dirs_exist_ok=True)
        else:
            wine_gui("wineboot", "-i", timeout=180)
            # As scripts/wine-env.sh sets its prefix: no 2 s wait per hidden window, no crash dialog.
            wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
            wine("reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d", "0",
                 "/f")
        return scenario(*sys.argv[1:4])
    finally:
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(prefix, ignore_errors=True)


def scenario(setup, tavrel, probe):
    drive_c = os.path.join(ENV["WINEPREFIX"], "drive_c")
    folder = os.path.join(drive_c, "Program Files", "Tavrel")
    shortcut = os.path.join(drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Tavrel.lnk")

    check("the silent install ends with success", wine_gui(setup, "/S", timeout=120), 0)
    check("every file is installed in Program Files",
          [name for name in INSTALLED if os.path.isfile(os.path.join(folder, name))], INSTALLED)
    with open(tavrel, "rb") as built, open(os.path.join(folder, "Tavrel.exe"), "rb") as installed:
        check("the installed Tavrel.exe is the build's", installed.read() == built.read(), True)
    check("the Start-menu entry exists", os.path.isfile(shortcut), True)
    check("the system's list of programs offers the silent uninstall",
          reg_query(UNINSTALL_KEY, "QuietUninstallString"), '"C:\\Program Files\\Tavrel\\uninstall.exe" /S')

    # Tavrel from Program Files shows its window; closing it stores its position, so there are settings.
    process = subprocess.Popen([WINE, r"C:\Program Files\Tavrel\Tavrel.exe"], env=ENV,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check("Tavrel starts from Program Files and shows its window", wine_gui(probe, "wait-window", "30000"), 0)
    wine_gui(probe, "close")
    try:
        process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
    wine("reg", "add", SETTINGS_KEY, "/v", "Strategy", "/t", "REG_DWORD", "/d", "2", "/f")
    check("there are settings to keep", reg_query(SETTINGS_KEY, "Strategy"), "0x2")

    # The uninstaller copies itself to the temporary folder and returns at once; its copy does the work.
    check("the silent uninstall starts", wine_gui(os.path.join(folder, "uninstall.exe"), "/S"), 0)
    gone = wait_until(lambda: not os.path.exists(folder) and reg_query(UNINSTALL_KEY) is None, 30)
    check("the silent uninstall removes every installed file and the folder",
          sorted(os.listdir(folder)) if os.path.exists(folder) else [], [])
    check("the uninstall entry is gone", gone and reg_query(UNINSTALL_KEY) is None, True)
    check("the Start-menu entry is gone", os.path.exists(shortcut), False)
    check("the settings are kept", reg_query(SETTINGS_KEY, "Strategy"), "0x2")

    print("%d passed, %d failed" % (len(passed), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
