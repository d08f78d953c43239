#!/usr/bin/env python3
"""Draws Tavrel's icons and writes them as .ico files into res/.

    python3 tools/make-icons.py [output-folder]

Drawn with tools/drawing.py (anti-aliased, supersampled shapes). Images up to 72 x 72 are stored as
32-bit BGRA bitmaps with an AND mask, the 256 x 256 one as PNG, as Windows expects.

  Tavrel.ico     application icon: a clock face with a small antenna (16, 24, 32, 48, 256)
  About.ico      the same drawing at 72 x 72 for the about box
  Received.ico   reception indicator, 24 x 24: green ring with a red centre
  Listening.ico  green disc
  Idle.ico       grey disc (not listening)
"""

import math
import struct
import sys
from pathlib import Path

from drawing import Layer, arc, bbox_circle, bbox_points, circle, png_bytes, render, rgba, ring, segment

# ---------------------------------------------------------------- the drawings

NAVY = "#1f3b5c"
FACE_TOP = rgba("#ffffff")
FACE_BOTTOM = rgba("#dfe7f1")
HAND = rgba("#17202b")
RED = rgba("#d7352b")
WAVE = rgba("#2f86d8")


def clock_with_antenna(size):
    """The application's own icon. Details thin out at small sizes so it stays legible."""
    px = 1.0 / size

    def width(unit, min_px):
        return max(unit, min_px * px) / 2

    # Small sizes put the centre on a pixel corner so that the two-pixel hands fall on whole pixels.
    if size <= 24:
        cx, cy, r = round(0.45 * size) / size, round(0.57 * size) / size, (0.43 if size <= 16 else 0.40)
    else:
        cx, cy, r = 0.44, 0.57, 0.395
    layers = []

    # A faint shadow under the clock where there is room for one.
    if size >= 48:
        layers.append(Layer(circle(cx + 0.015, cy + 0.03, r), rgba("#000000", 0.28),
                            bbox_circle(cx, cy + 0.03, r + 0.08), soft=0.035))

    # Antenna: a mast from the rim towards the top right corner, a red tip and, where they can be told
    # apart, radio waves.
    angle = math.radians(48)
    base = (cx + (r - 0.02) * math.cos(angle), cy - (r - 0.02) * math.sin(angle))
    tip = (0.80, 0.19) if size >= 32 else (0.84, 0.15)
    mast_w = width(0.05, 1.3)
    layers.append(Layer(segment(base[0], base[1], tip[0], tip[1], mast_w), rgba(NAVY),
                        bbox_points([base, tip], mast_w)))
    waves = (0.085, 0.145) if size >= 48 else (0.12,) if size >= 32 else ()
    for radius in waves:
        w = width(0.032, 1.3)
        layers.append(Layer(arc(tip[0], tip[1], radius, w, -5, 95), WAVE, bbox_circle(tip[0], tip[1], radius + w)))
    tip_r = max(0.05, 1.4 * px)
    layers.append(Layer(circle(tip[0], tip[1], tip_r), RED, bbox_circle(tip[0], tip[1], tip_r)))

    # Rim and face.
    rim_w = max(0.065, 1.5 * px)
    layers.append(Layer(circle(cx, cy, r), rgba(NAVY), bbox_circle(cx, cy, r)))

    def face_colour(x, y):
        t = max(0.0, min(1.0, (y - (cy - r)) / (2 * r)))
        return tuple(FACE_TOP[i] + (FACE_BOTTOM[i] - FACE_TOP[i]) * t for i in range(3)) + (1.0,)

    face_r = r - rim_w
    layers.append(Layer(circle(cx, cy, face_r), face_colour, bbox_circle(cx, cy, face_r)))

    # Hour marks: all twelve where they fit, the four quarters on small sizes, none on the smallest.
    marks = range(12) if size >= 32 else range(0, 12, 3) if size >= 24 else ()
    for h in marks:
        a = math.radians(90 - h * 30)
        major = h % 3 == 0
        outer = face_r - max(0.035, 0.8 * px)
        inner = outer - (max(0.11 if major else 0.06, 2.0 * px) if size > 24 else 2.0 * px)
        w = width(0.04 if major else 0.022, 1.2 if major else 0.9) if size > 24 else px  # whole pixels
        p0 = (cx + inner * math.cos(a), cy - inner * math.sin(a))
        p1 = (cx + outer * math.cos(a), cy - outer * math.sin(a))
        layers.append(Layer(segment(*p0, *p1, w), rgba(NAVY), bbox_points([p0, p1], w)))

    # Hands at ten past ten, the way clocks are shown; at nine o'clock on the small sizes, where slanted
    # two-pixel hands would only blur.
    if size <= 24:
        hour_a, minute_a = math.radians(180), math.radians(90)
        short = size > 16 # room left for the quarter marks
        hands = ((hour_a, 0.4 if short else 0.62, px), (minute_a, 0.6 if short else 0.8, px))
    else:
        hour_a = math.radians(90 - (10 + 10 / 60) * 30)
        minute_a = math.radians(90 - 10 * 6)
        hands = ((hour_a, 0.55, width(0.06, 1.7)), (minute_a, 0.78, width(0.045, 1.5)))
    for a, length, w in hands:
        end = (cx + face_r * length * math.cos(a), cy - face_r * length * math.sin(a))
        layers.append(Layer(segment(cx, cy, end[0], end[1], w), HAND, bbox_points([(cx, cy), end], w)))
    hub = max(0.045, 1.3 * px) if size > 24 else 1.0 * px
    layers.append(Layer(circle(cx, cy, hub), RED, bbox_circle(cx, cy, hub)))
    return layers


def disc(fill, edge):
    """An indicator lamp: a disc with a darker edge and a soft highlight."""
    c, r = 0.5, 0.42
    highlight = rgba("#ffffff", 0.35)
    return [
        Layer(circle(c, c, r), rgba(edge), bbox_circle(c, c, r)),
        Layer(circle(c, c, r - 0.07), rgba(fill), bbox_circle(c, c, r)),
        Layer(circle(c - 0.1, c - 0.12, 0.13), highlight, bbox_circle(c - 0.1, c - 0.12, 0.2), soft=0.06),
    ]


def received():
    c = 0.5
    return [
        Layer(ring(c, c, 0.345, 0.075), rgba("#1a7f37"), bbox_circle(c, c, 0.43)),
        Layer(ring(c, c, 0.345, 0.045), rgba("#2ea043"), bbox_circle(c, c, 0.43)),
        Layer(circle(c, c, 0.19), rgba("#a61e17"), bbox_circle(c, c, 0.19)),
        Layer(circle(c, c, 0.15), rgba("#e5352b"), bbox_circle(c, c, 0.19)),
    ]


# ---------------------------------------------------------------- file formats


def dib_bytes(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def ico_bytes(images):
    """images: list of RGBA rows, one square image each."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        blob = png_bytes(rows) if size >= 256 else dib_bytes(rows)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def grid_for(size):
    return 3 if size >= 256 else 6 if size >= 48 else 8


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res"
    out.mkdir(parents=True, exist_ok=True)
    app_sizes = (16, 24, 32, 48, 256)
    files = {
        "Tavrel.ico": [render(clock_with_antenna(s), s, grid_for(s)) for s in app_sizes],
        "About.ico": [render(clock_with_antenna(72), 72, grid_for(72))],
        "Received.ico": [render(received(), 24, 8)],
        "Listening.ico": [render(disc("#2ea043", "#1a7f37"), 24, 8)],
        "Idle.ico": [render(disc("#a3a9b0", "#6e757c"), 24, 8)],
    }
    for name, images in files.items():
        (out / name).write_bytes(ico_bytes(images))
        print(f"{out / name}: {', '.join(str(len(i)) for i in images)}")


if __name__ == "__main__":
    main()
