#!/usr/bin/env python3
"""Makes Tavrel's release packages from a Windows build: the portable zip and the NSIS installer.

usage: make-packages.py --version 1.3 --tavrel Tavrel.exe --listen tavrel-listen.exe --out DIR

Both come out byte for byte the same from the same inputs: the zip's entries have a fixed order, fixed
attributes and the time of the last commit (SOURCE_DATE_EPOCH when set, else the commit's own time), and
the installer stores no file times. Text files get Windows line ends.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# (name in the package, file in the source tree or None for an executable given on the command line)
TEXT_FILES = [
    ("USER-GUIDE.md", "docs/USER-GUIDE.md"),
    ("LICENSE.txt", "LICENSE"),
    ("THIRD-PARTY-NOTICES.txt", "THIRD-PARTY-NOTICES"),
]


def source_date_epoch():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", SOURCE, "log", "-1", "--format=%ct"], capture_output=True, text=True,
                             check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 315532800  # 1980-01-01, the earliest time a zip entry can hold


def stage(folder, tavrel, listen):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    names = []
    for name, path in [("Tavrel.exe", tavrel), ("tavrel-listen.exe", listen)]:
        shutil.copyfile(path, os.path.join(folder, name))
        names.append(name)
    for name, path in TEXT_FILES:
        with open(os.path.join(SOURCE, path), "rb") as f:
            text = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        with open(os.path.join(folder, name), "wb") as f:
            f.write(text)
        names.append(name)
    return names


def make_zip(path, folder, names, top, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(path + ".part", "w") as archive:
        for name in names:
            info = zipfile.ZipInfo(top + "/" + name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, as Windows' own zips have it
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(path + ".part", path)


def make_installer(path, folder, names, version):
    size_kb = sum(os.path.getsize(os.path.join(folder, n)) for n in names) // 1024 + 1
    parts = (version.split(".") + ["0", "0", "0"])[:4]
    command = ["makensis", "-V2", "-NOCD",
               "-DVERSION=" + version, "-DVERSION4=" + ".".join(parts), "-DSTAGE=" + folder,
               "-DOUTFILE=" + path + ".part", "-DSIZE_KB=%d" % size_kb,
               os.path.join(SOURCE, "packaging", "Tavrel.nsi")]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    os.replace(path + ".part", path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", required=True)
    parser.add_argument("--tavrel", required=True)
    parser.add_argument("--listen", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    folder = os.path.join(os.path.abspath(args.out), "stage")
    names = stage(folder, args.tavrel, args.listen)
    base = os.path.join(os.path.abspath(args.out), "Tavrel-" + args.version)
    make_zip(base + "-win64.zip", folder, names, "Tavrel-" + args.version, source_date_epoch())
    make_installer(base + "-setup.exe", folder, names, args.version)
    shutil.rmtree(folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
