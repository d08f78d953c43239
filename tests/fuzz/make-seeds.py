#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into corpus/<target>/: a few well-formed inputs of each kind,
made by our own WSJT-X datagram library, SNTP packet layout and PNG pictures. Run it again after changing it; the
files are committed."""

import os
import shutil
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import wsjtx_datagrams as w  # noqa: E402


def datagrams():
    decode = w.decode(45296789, -12, 0.25, 1234, "CQ K1ABC FN42")
    return {
        "heartbeat": w.heartbeat(),
        "status": w.status(),
        "decode": decode,
        "decode-replayed": w.decode(309000, 3, -1.1, 600, "K1ABC W9XYZ -12", new=False),
        "decode-long-message": w.decode(1000, -5, 0.1, 800, "K1ABC RR73; W9XYZ <KH1/KH7Z> -12"),
        "decode-null-strings": w.header(w.DECODE) + struct.pack(">I?Iid", 0xFFFFFFFF, True, 0, 0, 0.0)
        + struct.pack(">III", 0, 0xFFFFFFFF, 0xFFFFFFFF),
        "decode-cut": decode[:40],
        "clear": w.clear(),
        "wrong-magic": w.header(w.DECODE, magic=0xDACBBCAD) + decode[12:],
        "type-15": w.header(15) + b"\0" * 8,
    }


def ntp(seconds, fraction=0):
    return struct.pack(">II", seconds, fraction)


def sntp_replies():
    t1, t2, t3, t4 = ntp(3786825600, 0), ntp(3786825600, 2576980378), ntp(3786825600, 2619930051), \
        ntp(3786825600, 901943132)

    def reply(first, stratum, originate, receive, transmit):
        return bytes([first, stratum, 0, 0]) + b"\0" * 20 + originate + receive + transmit

    return {
        "answer": t1 + t4 + reply(0x1C, 2, t1, t2, t3),
        "answer-68-bytes": t1 + t4 + reply(0x24, 1, t1, t2, t3) + b"\xAB" * 20,
        "across-2036": ntp(0xFFFFFFFF, 3865470566) + ntp(0, 429496730)
        + reply(0x1C, 2, ntp(0xFFFFFFFF, 3865470566), ntp(0, 2147483648), ntp(0, 2147483648)),
        "kiss-of-death": t1 + t4 + reply(0x1C, 0, t1, t2, t3)[:12] + b"RATE" + reply(0x1C, 0, t1, t2, t3)[16:],
        "short": t1 + t4 + reply(0x1C, 2, t1, t2, t3)[:47],
    }


def texts(*items):
    return {"seed-%d" % i: item.encode("latin-1") for i, item in enumerate(items)}


def row_sorts():
    def rows(flags, keys):
        return bytes([flags]) + "".join(k + "\n" for k in keys).encode()

    return {
        "snr-descending": rows(0, ["-12", "3", "-5", "0", "-24", "10", "3"]),
        "dt-ascending": rows(1, ["0.2", "-1.1", "0.25", "1e1", " 0.3", "-0.0", "0"]),
        "message-ascending": rows(3, ["CQ K1ABC FN42", "K1ABC W9XYZ -12", "CQ DL1ABC JO62", "cq", "CQ"]),
        "time-descending": rows(2, ["123456", "000509", "235959", "000000"]),
    }


def png(width, height, colour_type, rows, chunks=()):
    """A PNG of 8-bit samples: `rows` are the raw rows without their filter byte."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + b"".join(chunk(k, b) for k, b in chunks)
            + chunk(b"IDAT", pixels) + chunk(b"IEND", b""))


def pngs():
    seeds = {name: open(os.path.join(HERE, "..", "..", "res", name + ".png"), "rb").read()
             for name in ("Time", "Setup", "Reset")}
    # A palette picture whose transparency chunk gives it alpha, and a grey one with alpha.
    seeds["palette-trns"] = png(4, 2, 3, [bytes([0, 1, 2, 1]), bytes([2, 1, 0, 0])],
                                [(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255])), (b"tRNS", bytes([0, 128]))])
    seeds["grey-alpha"] = png(2, 2, 4, [bytes([10, 255, 200, 0]), bytes([90, 128, 0, 64])])
    return seeds


def main():
    corpora = {
        "fuzz_datagram": datagrams(),
        "fuzz_sntp_reply": sntp_replies(),
        "fuzz_number_text": texts("0.25", "-1.5e3", "  +12", "1e400", ".5", "-0", "1,5", "2.5e-320", "abc"),
        "fuzz_start_command": texts("/set 1.5", "x /set -0.35 y", "/SET 1", "/set", "Tavrel.ini"),
        "fuzz_color_text": texts("0,0,255", "128, 0, 128", "-1,300,7", "255", "12,,", "99999999999,1,2"),
        "fuzz_settings": {"dword-1000": struct.pack("<I", 1000), "sz-1": b"1\0", "port": b"2237\0",
                          "address": b"127.0.0.1\0", "negative": b"-3\0", "full": b"a" * 200},
        "fuzz_row_sort": row_sorts(),
        "fuzz_png_image": pngs(),
    }
    for target, seeds in corpora.items():
        folder = os.path.join(HERE, "corpus", target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
