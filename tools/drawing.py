"""Drawing helpers shared by Tavrel's picture scripts (tools/make-icons.py, tools/make-images.py).

Pure python3 (no imaging library): every shape is a signed-distance function in a unit square, each
pixel is supersampled and averaged, so edges are anti-aliased at every size.
"""

import math
import struct
import zlib

# ---------------------------------------------------------------- shapes (unit square, y downwards)


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, half_width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half_width


def segment(ax, ay, bx, by, half_width):
    """A stroke with round caps from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def sdf(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_width

    return sdf


def arc(cx, cy, r, half_width, start_deg, end_deg):
    """A stroke along a circle from start to end angle (degrees, counter-clockwise on screen), round caps."""
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    mid = (a0 + a1) / 2
    half_span = (a1 - a0) / 2
    ends = [(cx + r * math.cos(a), cy - r * math.sin(a)) for a in (a0, a1)]

    def sdf(x, y):
        angle = math.atan2(-(y - cy), x - cx)
        off = (angle - mid + math.pi) % (2 * math.pi) - math.pi
        if abs(off) <= half_span:
            return abs(math.hypot(x - cx, y - cy) - r) - half_width
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half_width

    return sdf


def polygon(points):
    """A filled polygon (any winding), by its signed distance: negative inside."""

    def sdf(x, y):
        d = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            d = min(d, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / (by - ay):
                inside = not inside
        return -d if inside else d

    return sdf


def union(*sdfs):
    return lambda x, y: min(s(x, y) for s in sdfs)


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def subtract(sdf, hole):
    return lambda x, y: max(sdf(x, y), -hole(x, y))


def inset(sdf, amount):
    """The shape shrunk by `amount` (grown when negative)."""
    return lambda x, y: sdf(x, y) + amount


def rgba(hex_colour, alpha=1.0):
    h = hex_colour.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), alpha)


class Layer:
    """One shape with a colour (or a colour function of the position) and a bounding box."""

    def __init__(self, sdf, colour, bbox, soft=0.0):
        self.sdf = sdf
        self.colour = colour
        self.bbox = bbox  # x0, y0, x1, y1 in unit coordinates
        self.soft = soft  # > 0: a soft edge of this width (shadows)

    def sample(self, x, y):
        d = self.sdf(x, y)
        if self.soft > 0:
            if d >= self.soft:
                return None
            cover = min(1.0, 0.5 - d / (2 * self.soft))
        else:
            if d > 0:
                return None
            cover = 1.0
        colour = self.colour(x, y) if callable(self.colour) else self.colour
        return colour[:3] + (colour[3] * cover,)


def bbox_circle(cx, cy, r):
    return (cx - r, cy - r, cx + r, cy + r)


def bbox_points(points, pad):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def render(layers, size, grid):
    """Averages grid x grid samples a pixel, compositing the layers bottom to top; straight RGBA rows."""
    rows = []
    step = 1.0 / (size * grid)
    for py in range(size):
        row = []
        y0, y1 = py / size, (py + 1) / size
        for px in range(size):
            x0, x1 = px / size, (px + 1) / size
            active = [l for l in layers if l.bbox[0] < x1 and l.bbox[2] > x0 and l.bbox[1] < y1 and l.bbox[3] > y0]
            if not active:
                row.append((0, 0, 0, 0))
                continue
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(grid):
                y = y0 + (sy + 0.5) * step
                for sx in range(grid):
                    x = x0 + (sx + 0.5) * step
                    r = g = b = a = 0.0
                    for layer in active:
                        s = layer.sample(x, y)
                        if s is None:
                            continue
                        sa = s[3]
                        r = s[0] * sa + r * (1 - sa)
                        g = s[1] * sa + g * (1 - sa)
                        b = s[2] * sa + b * (1 - sa)
                        a = sa + a * (1 - sa)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = grid * grid
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(min(255, round(c / n / alpha)) for c in acc[:3]) + (min(255, round(alpha * 255)),))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- file format


def png_bytes(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
