#!/usr/bin/env python3
"""Draws the pictures of Tavrel's image buttons and writes them as PNG files into res/.

    python3 tools/make-images.py [output-folder]

24 x 24 pixels, 8-bit RGBA, non-interlaced, drawn with tools/drawing.py; their edges are anti-aliased, so
the buttons blend them with partial alpha onto their background.

  Time.png    "Time" button: a clock face with a small globe in front of it
  Setup.png   "Setup" button: two cog wheels, a grey one and a blue one
  Reset.png   "Reset" button: a blue circular arrow
"""

import math
import sys
from pathlib import Path

from drawing import (Layer, arc, bbox_circle, bbox_points, circle, inset, intersect, png_bytes, polygon,
                     render, rgba, segment, subtract, union)

SIZE = 24
GRID = 8
NAVY = "#1f3b5c"
BLUE = "#2f86d8"
BLUE_EDGE = "#1c5d9c"
GREY = "#9aa1a9"
GREY_EDGE = "#5d646b"
WHOLE = (0.0, 0.0, 1.0, 1.0)


def outlined(shape, fill, edge, edge_width):
    """A shape in its edge colour with the same shape, shrunk by the edge's width, in its fill colour."""
    return [Layer(shape, rgba(edge), WHOLE), Layer(inset(shape, edge_width), rgba(fill), WHOLE)]


def clock_with_globe():
    cx, cy, r = 0.42, 0.42, 0.38
    gx, gy, gr = 0.74, 0.74, 0.23
    # The clock leaves a transparent gap around the globe, so the two stay apart at this size.
    gap = circle(gx, gy, gr + 0.06)
    px = 1.0 / SIZE
    layers = [
        Layer(subtract(circle(cx, cy, r), gap), rgba(NAVY), bbox_circle(cx, cy, r)),
        Layer(subtract(circle(cx, cy, r - 1.6 * px), gap), rgba("#ffffff"), bbox_circle(cx, cy, r)),
    ]
    # Quarter marks and hands at ten to two, one pixel wide.
    for h in (0, 3, 9):
        a = math.radians(90 - h * 30)
        outer, inner = r - 2.6 * px, r - 4.4 * px
        p0 = (cx + inner * math.cos(a), cy - inner * math.sin(a))
        p1 = (cx + outer * math.cos(a), cy - outer * math.sin(a))
        layers.append(Layer(segment(*p0, *p1, 0.55 * px), rgba(NAVY), bbox_points([p0, p1], px)))
    for a_deg, length in ((90 - 10 * 6, 0.62), (90 - 10 * 30 - 25, 0.45)):
        a = math.radians(a_deg)
        end = (cx + r * length * math.cos(a), cy - r * length * math.sin(a))
        layers.append(Layer(segment(cx, cy, *end, 0.6 * px), rgba("#17202b"), bbox_points([(cx, cy), end], px)))
    layers.append(Layer(circle(cx, cy, 1.1 * px), rgba("#d7352b"), bbox_circle(cx, cy, 1.1 * px)))

    # The globe: ocean, two continents clipped to the disc, a meridian and the equator, an outline.
    disc = circle(gx, gy, gr)
    land = union(polygon([(0.60, 0.58), (0.72, 0.55), (0.76, 0.64), (0.70, 0.72), (0.66, 0.84), (0.59, 0.78)]),
                 polygon([(0.80, 0.66), (0.92, 0.70), (0.93, 0.80), (0.84, 0.90), (0.79, 0.80)]))
    layers += [
        Layer(disc, rgba(BLUE_EDGE), bbox_circle(gx, gy, gr)),
        Layer(inset(disc, 1.1 * px), rgba("#4aa3ee"), bbox_circle(gx, gy, gr)),
        Layer(intersect(inset(disc, 1.1 * px), land), rgba("#3fa34d"), bbox_circle(gx, gy, gr)),
        Layer(intersect(inset(disc, 1.1 * px), lambda x, y: abs(math.hypot((x - gx) * 2.4, y - gy) - gr) - 0.03),
              rgba("#ffffff", 0.55), bbox_circle(gx, gy, gr)),
        Layer(intersect(inset(disc, 1.1 * px), lambda x, y: abs(y - gy) - 0.025), rgba("#ffffff", 0.55),
              bbox_circle(gx, gy, gr)),
    ]
    return layers


def cog(cx, cy, root, tip, teeth, hole, turn=0.0):
    """A cog wheel with `teeth` slightly tapered teeth and a round hole, by its (radial) distance."""

    def outline(x, y):
        angle = math.atan2(y - cy, x - cx) + turn
        phase = (angle * teeth / (2 * math.pi)) % 1.0
        # A tooth spans 45 % of its period at the root and 30 % at the tip.
        edge = abs(phase - 0.5) * 2  # 0 in the middle of a tooth, 1 between teeth
        rim = tip if edge < 0.30 else root if edge > 0.45 else tip - (tip - root) * (edge - 0.30) / 0.15
        return math.hypot(x - cx, y - cy) - rim

    return subtract(outline, circle(cx, cy, hole))


def two_cogs():
    px = 1.0 / SIZE
    big = cog(0.38, 0.38, 0.26, 0.36, 8, 0.10)
    small = cog(0.73, 0.73, 0.17, 0.25, 6, 0.07, turn=0.3)
    # The blue wheel lies in front; the grey one gives way around it.
    grey = subtract(big, circle(0.73, 0.73, 0.25 + 0.04))
    return outlined(grey, GREY, GREY_EDGE, 1.2 * px) + outlined(small, BLUE, BLUE_EDGE, 1.2 * px)


def circular_arrow():
    px = 1.0 / SIZE
    cx, cy, r, half = 0.5, 0.53, 0.30, 0.075
    start, end = 120, 395  # degrees, counter-clockwise on screen; the gap is at the top right
    a = math.radians(end)
    tip_base = (cx + r * math.cos(a), cy - r * math.sin(a))
    tangent = (-math.sin(a), -math.cos(a))  # direction of travel on screen
    normal = (math.cos(a), -math.sin(a))
    head_length, head_half = 0.22, 0.19
    head = polygon([
        (tip_base[0] + tangent[0] * head_length, tip_base[1] + tangent[1] * head_length),
        (tip_base[0] + normal[0] * head_half, tip_base[1] + normal[1] * head_half),
        (tip_base[0] - normal[0] * head_half, tip_base[1] - normal[1] * head_half),
    ])
    shape = union(arc(cx, cy, r, half, start, end - 8), head)
    return outlined(shape, BLUE, BLUE_EDGE, 1.2 * px)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res"
    out.mkdir(parents=True, exist_ok=True)
    pictures = {"Time.png": clock_with_globe(), "Setup.png": two_cogs(), "Reset.png": circular_arrow()}
    for name, layers in pictures.items():
        (out / name).write_bytes(png_bytes(render(layers, SIZE, GRID)))
        print(out / name)


if __name__ == "__main__":
    main()
