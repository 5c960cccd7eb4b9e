#!/usr/bin/env python3
"""Draws every picture of the program and writes them under src/win/res/.

The pictures are ours alone: simple shapes with 1-pixel dark outlines in one
small palette, rasterised here so that they come out the same on every run.
The generated files are committed, so building needs no Python. After a change
to a picture, regenerate them with

    python3 tools/draw_pictures.py            # writes src/win/res/*.ico, *.bmp
    python3 tools/draw_pictures.py --preview DIR   # also enlarged PNGs to look at

Pure Python 3 standard library; the previews need ImageMagick's `convert`.

Shapes are functions of a point in picture pixels (pixel i covers [i, i+1)).
A picture is drawn on a grid `scale` times finer than its pixels, each shape
gets a 1-pixel outline by erosion of its mask, and the grid is averaged down:
scale 1 gives the hard-edged images of the strips (no alpha there), larger
scales the smooth, alpha-blended program icon.

The menu strip is designed on 16 pixels and drawn again at 24 and 32 for
144 and 192 DPI by mapping each pixel's centre back onto the design, so the
outlines stay 1 pixel wide and the edges hard. Where a detail of one design
pixel would come out uneven at one and a half times, the picture draws it on
whole pixels of the larger size instead (`fill_px`, `line_px`).
"""

import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "src", "win", "res")

# ------------------------------------------------------------------ palette
# Each ramp is (light, base, dark): the fill runs from light at the top to base
# at the bottom, the outline is dark.
BLUE = ((129, 173, 222), (52, 101, 164), (28, 56, 104))
RED = ((246, 92, 84), (204, 0, 0), (112, 0, 0))
GREEN = ((160, 232, 90), (96, 180, 20), (46, 100, 6))
YELLOW = ((255, 240, 140), (240, 200, 40), (146, 112, 0))
ORANGE = ((255, 196, 110), (245, 121, 0), (140, 66, 0))
PAPER = ((255, 255, 255), (232, 234, 230), (110, 114, 108))
METAL = ((236, 238, 234), (176, 180, 172), (72, 76, 70))
BROWN = ((226, 172, 98), (176, 112, 34), (96, 58, 8))
SCREEN = ((40, 60, 120), (16, 26, 66), (20, 22, 28))
TEAL = ((110, 200, 230), (40, 130, 190), (20, 60, 100))
INK = (46, 52, 54)
TEXT_LINE = (150, 164, 186)
WHITE = (255, 255, 255)


# ------------------------------------------------------------------ shapes
class Shape:
    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Diff(self, other)

    def __and__(self, other):
        return Inter(self, other)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.b = (x0, y0, x1, y1)

    def __call__(self, x, y):
        x0, y0, x1, y1 = self.b
        return x0 <= x < x1 and y0 <= y < y1


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r):
        self.b = (x0, y0, x1, y1, r)

    def __call__(self, x, y):
        x0, y0, x1, y1, r = self.b
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None):
        self.c = (cx, cy, rx, rx if ry is None else ry)

    def __call__(self, x, y):
        cx, cy, rx, ry = self.c
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


class Poly(Shape):
    def __init__(self, *points):
        self.p = points

    def __call__(self, x, y):
        inside = False
        p = self.p
        j = len(p) - 1
        for i in range(len(p)):
            xi, yi = p[i]
            xj, yj = p[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Line(Shape):
    """A segment `width` wide with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.s = (x0, y0, x1, y1, width / 2.0)

    def __call__(self, x, y):
        x0, y0, x1, y1, h = self.s
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= h * h


class Union(Shape):
    def __init__(self, *shapes):
        self.s = shapes

    def __call__(self, x, y):
        return any(s(x, y) for s in self.s)


class Diff(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def __call__(self, x, y):
        return self.a(x, y) and not self.b(x, y)


class Inter(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def __call__(self, x, y):
        return self.a(x, y) and self.b(x, y)


def ring(cx, cy, outer, inner):
    return Ellipse(cx, cy, outer) - Ellipse(cx, cy, inner)


def star(cx, cy, outer, inner, points=5, turn=-90.0):
    pts = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = math.radians(turn + k * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return Poly(*pts)


# ------------------------------------------------------------------ canvas
def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    def __init__(self, width, height, scale=1, unit=1):
        # `unit` is how many pixels one pixel of the design takes: the pictures
        # are designed on 16 pixels and drawn at 24 or 32 for higher DPI, where
        # outlines stay 1 pixel wide instead of growing with the rest.
        self.w, self.h, self.s, self.u = width, height, scale, unit
        self.W, self.H = width * scale, height * scale
        self.px = [None] * (self.W * self.H)  # (r, g, b) or None (clear)

    def mask(self, shape):
        s, u = self.s, self.u
        return [shape((i % self.W + 0.5) / s / u, (i // self.W + 0.5) / s / u) for i in range(self.W * self.H)]

    def erode(self, m, times):
        W, H = self.W, self.H
        for _ in range(times):
            out = m[:]
            for i, inside in enumerate(m):
                if not inside:
                    continue
                x, y = i % W, i // W
                if (x == 0 or not m[i - 1] or x == W - 1 or not m[i + 1] or y == 0 or not m[i - W]
                        or y == H - 1 or not m[i + W]):
                    out[i] = False
            m = out
        return m

    def paint(self, shape, ramp, outline=True, bevel=False, flat=None):
        """Fills a shape with a ramp's top-to-bottom gradient and outlines it."""
        light, base, dark = ramp
        m = self.mask(shape)
        rows = [i // self.W for i, v in enumerate(m) if v]
        if not rows:
            return
        top, bottom = min(rows), max(rows)
        inner = self.erode(m, self.s) if outline else m
        inner2 = self.erode(inner, self.s) if bevel else inner
        for i, v in enumerate(m):
            if not v:
                continue
            if not inner[i]:
                self.px[i] = dark
                continue
            y = i // self.W
            t = 0.0 if bottom == top else (y - top) / (bottom - top)
            c = flat if flat is not None else mix(light, base, t)
            if bevel and not inner2[i]:
                # A lighter rim inside the outline on the top and left edges.
                x = i % self.W
                if x == 0 or not inner[i - self.s] or not inner[i - self.s * self.W]:
                    c = mix(c, WHITE, 0.5)
            self.px[i] = c

    def fill(self, shape, colour):
        """Plain colour, no outline (details: text lines, hands, sheen)."""
        for i, v in enumerate(self.mask(shape)):
            if v:
                self.px[i] = colour

    def clear(self, shape):
        for i, v in enumerate(self.mask(shape)):
            if v:
                self.px[i] = None

    def art(self, x0, y0, rows, colours):
        """Pixel art: one character per design pixel, '.' leaves it alone."""
        if self.u != 1:
            # Each pixel takes the character of the design pixel its centre falls in.
            for Y in range(self.H):
                for X in range(self.W):
                    dx = int((X + 0.5) / self.s / self.u) - x0
                    dy = int((Y + 0.5) / self.s / self.u) - y0
                    if 0 <= dy < len(rows) and 0 <= dx < len(rows[dy]) and rows[dy][dx] != ".":
                        self.px[Y * self.W + X] = colours[rows[dy][dx]]
            return
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == ".":
                    continue
                c = colours[ch]
                for sy in range(self.s):
                    for sx in range(self.s):
                        X, Y = (x0 + dx) * self.s + sx, (y0 + dy) * self.s + sy
                        if 0 <= X < self.W and 0 <= Y < self.H:
                            self.px[Y * self.W + X] = c

    def fill_px(self, x0, y0, x1, y1, colour):
        """Plain colour on the pixels [x0, x1) x [y0, y1) of the picture as drawn,
        for details that must land on whole pixels at every size."""
        for Y in range(max(0, y0 * self.s), min(self.H, y1 * self.s)):
            for X in range(max(0, x0 * self.s), min(self.W, x1 * self.s)):
                self.px[Y * self.W + X] = colour

    def line_px(self, x0, y0, x1, y1, colour):
        """A 1-pixel line between two pixels of the picture as drawn (Bresenham)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.fill_px(x0, y0, x0 + 1, y0 + 1, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err, x0 = err + dy, x0 + sx
            if e2 <= dx:
                err, y0 = err + dx, y0 + sy

    def first_px(self, d):
        """The first pixel whose centre lies at or past design coordinate d."""
        return math.ceil(d * self.u - 0.5)

    def rgba(self):
        """The picture at its own size: rows of (r, g, b, a), averaged down."""
        s, out = self.s, []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                r = g = b = n = 0
                for sy in range(s):
                    for sx in range(s):
                        c = self.px[(y * s + sy) * self.W + x * s + sx]
                        if c is not None:
                            r, g, b, n = r + c[0], g + c[1], b + c[2], n + 1
                if n == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((r // n, g // n, b // n, n * 255 // (s * s)))
            out.append(row)
        return out


# ------------------------------------------------------------------ file writers
def bmp24(rows, key):
    """A 24-bit bottom-up BMP; clear pixels take the key colour."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, a in row:
            c = key if a == 0 else (r, g, b)
            line += bytes((c[2], c[1], c[0]))
        data += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + header + data


def ico(images):
    """An icon file of 32-bit images with alpha, each with its AND mask."""
    payloads = []
    for rows in images:
        h, w = len(rows), len(rows[0])
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        andmask = bytearray()
        for row in reversed(rows):
            line = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            andmask += line
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
        payloads.append((w, h, header + xor + andmask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(payloads)))
    offset = 6 + 16 * len(payloads)
    for w, h, p in payloads:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(p), offset)
        offset += len(p)
    for _, _, p in payloads:
        out += p
    return bytes(out)


def strip(pictures):
    """Images side by side in one row."""
    rows = [[] for _ in range(len(pictures[0]))]
    for pic in pictures:
        for y, row in enumerate(pic):
            rows[y].extend(row)
    return rows


# ------------------------------------------------------------------ small parts
def text_line(c, x0, y, x1):
    """A line of text one design pixel high. Larger, it is whole pixels high (1
    at 24, 2 at 32), so that the lines of a page come out alike."""
    if c.u == 1:
        c.fill(Rect(x0, y, x1, y + 1), TEXT_LINE)
    else:
        top = c.first_px(y)
        c.fill_px(c.first_px(x0), top, c.first_px(x1), top + c.w // 16, TEXT_LINE)


def sheet(c, x0, y0, x1, y1, lines=True, fold=0):
    """A white sheet of paper, optionally dog-eared, with lines of text."""
    if fold:
        c.paint(Poly((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)), PAPER)
        c.paint(Poly((x1 - fold - 0.01, y0), (x1 - fold - 0.01, y0 + fold + 1), (x1 + 0.01, y0 + fold + 1)),
                METAL)
    else:
        c.paint(Rect(x0, y0, x1, y1), PAPER)
    if lines:
        top = y0 + 2 + (fold if fold > 2 else 0)
        for y in range(int(top), int(y1) - 2, 2):
            right = x1 - 2 if (y // 2) % 3 else x1 - 4
            text_line(c, x0 + 2, y, right)


def monitor(c, screen_ramp):
    c.paint(Rect(5, 12, 11, 14), METAL)
    c.paint(Rect(3, 13, 13, 15), METAL)
    c.paint(RoundRect(0, 1, 16, 13, 1.5), METAL)
    c.paint(Rect(2, 3, 14, 11), screen_ramp)


def no_entry_badge(c):
    """The red 'stopped' badge at the lower right."""
    c.paint(Ellipse(11.5, 11.5, 4.5), RED)
    c.fill(Rect(9, 11, 14, 12), WHITE)


def play_badge(c):
    """The green 'runs by itself' badge at the lower right."""
    c.paint(Ellipse(11.5, 11.5, 4.5), GREEN)
    if c.u == 1:
        c.art(10, 9, ["x..", "xx.", "xxx", "xx.", "x.."], {"x": WHITE})
    else:
        # Pixel art scaled by one and a half comes out stepped unevenly.
        c.fill(Poly((10, 9), (13.2, 11.5), (10, 14)), WHITE)


def cd(c):
    c.paint(Ellipse(8, 8, 7.5), METAL)
    # The glint of a disc's surface, then the clear hub round the hole.
    c.fill(Inter(ring(8, 8, 6, 4), Poly((8, 8), (0, 3), (0, 0), (5, 0))), (170, 210, 255))
    c.fill(Inter(ring(8, 8, 6, 4), Poly((8, 8), (16, 13), (16, 16), (11, 16))), (255, 200, 230))
    c.paint(Ellipse(8, 8, 3), PAPER)
    c.clear(Rect(7, 7, 9, 9))


# ------------------------------------------------------------------ the menu images
# Index order is fixed: the program names them in src/win/base/menu_images.h.
def img_delete(c):
    c.paint(Line(3.5, 3.5, 12.5, 12.5, 3.6) | Line(12.5, 3.5, 3.5, 12.5, 3.6), RED)


def img_cut(c):
    c.paint(Poly((10, 0), (12, 0), (8, 10), (6, 10)), METAL)
    c.paint(Poly((4, 0), (6, 0), (10, 10), (8, 10)), METAL)
    c.fill(Rect(7, 7, 9, 9), INK)
    if c.u == 1:
        c.paint(ring(4.5, 12.2, 3.6, 1.5), RED)
        c.paint(ring(11.5, 12.2, 3.6, 1.5), RED)
        return
    # Larger, the rings are centred on the pixel grid (a pixel's centre at 24, a
    # corner at 32) so that both come out round and mirror each other, with
    # holes wide enough to stay open inside their outlines.
    def snap(d):
        return (math.floor(d * c.u) + 0.5) / c.u if c.w == 24 else round(d * c.u) / c.u
    for x in (4.5, 11.5):
        c.paint(ring(snap(x), snap(12.2), 3.6, 1.7), RED)


def img_copy(c):
    sheet(c, 1, 0, 10, 11)
    sheet(c, 6, 5, 15, 16)


def img_paste(c):
    c.paint(RoundRect(1, 2, 15, 16, 1.5), BROWN)
    sheet(c, 3, 4, 13, 15)
    c.paint(RoundRect(5, 1, 11, 5, 1), METAL)


def img_properties(c):
    c.paint(Rect(0, 1, 16, 15), PAPER)
    c.paint(Rect(0, 1, 16, 5), BLUE, outline=True)
    c.fill(Rect(12, 2, 15, 4), (220, 230, 245))
    for y in (6, 10):
        c.paint(Rect(2, y, 5, y + 3), PAPER)
        text_line(c, 6, y + 1, 14)
    c.art(2, 6, ["...", ".x.", "..."], {"x": (0, 120, 0)})


QUESTION_HELP_24 = [
    "..wwwww..",
    ".wwwwwww.",
    "www...www",
    "www...www",
    "......www",
    ".....www.",
    "....www..",
    "...www...",
    "...www...",
    ".........",
    "...www...",
    "...www...",
    "...www...",
]


def img_help(c):
    c.paint(Ellipse(8, 8, 7.5), BLUE, bevel=True)
    if c.w == 24:
        # Strokes of two pixels scaled by one and a half come out uneven: drawn
        # again three pixels wide.
        for dy, row in enumerate(QUESTION_HELP_24):
            for dx, ch in enumerate(row):
                if ch == "w":
                    c.fill_px(8 + dx, 5 + dy, 9 + dx, 6 + dy, WHITE)
        return
    c.art(5, 3, [
        ".wwww.",
        "ww..ww",
        "....ww",
        "...ww.",
        "..ww..",
        "..ww..",
        "......",
        "..ww..",
        "..ww..",
    ], {"w": WHITE})


def img_add(c):
    c.paint(Rect(6, 1, 10, 15) | Rect(1, 6, 15, 10), GREEN, bevel=True)


def img_autorun(c):
    cd(c)
    play_badge(c)


def img_autorun_stopped(c):
    cd(c)
    no_entry_badge(c)


def img_open_folder(c):
    c.paint(Poly((0, 2), (6, 2), (7, 4), (14, 4), (14, 14), (0, 14)), YELLOW)
    c.fill(Rect(2, 5, 12, 6), (255, 250, 210))
    c.paint(Poly((3, 7), (16, 7), (13.5, 14), (0, 14)), ((255, 236, 120), (236, 186, 20), (146, 112, 0)))


def img_screen_saver(c):
    monitor(c, SCREEN)
    c.fill(Ellipse(7, 7, 3.2) - Ellipse(8.6, 6, 2.8), (255, 230, 90))
    if c.u == 1:
        c.art(10, 4, ["x...", "....", "...x", ".x.."], {"x": WHITE})
    else:
        # Stars of equal size, all inside the screen's outline.
        n = c.w // 16
        for x, y in ((10, 4), (13, 6), (11, 7)):
            X, Y = min(c.first_px(x), c.first_px(14) - 1 - n), c.first_px(y)
            c.fill_px(X, Y, X + n, Y + n, WHITE)


def img_screen_saver_stopped(c):
    img_screen_saver(c)
    no_entry_badge(c)


def power_ring(cx, cy, outer, inner, gap_from, gap_to):
    """A ring with a gap: the wedge between two angles (degrees, 0 = right, clockwise) left out."""
    a0, a1 = math.radians(gap_from), math.radians(gap_to)
    far = outer * 3
    wedge = Poly((cx, cy), (cx + far * math.cos(a0), cy + far * math.sin(a0)),
                 (cx + far * math.cos((a0 + a1) / 2), cy + far * math.sin((a0 + a1) / 2)),
                 (cx + far * math.cos(a1), cy + far * math.sin(a1)))
    return ring(cx, cy, outer, inner) - wedge


def img_shutdown(c):
    c.paint(power_ring(8, 8.8, 7.2, 3.9, -118, -62) | Rect(6.5, 0.5, 9.5, 9), RED)


def img_reboot(c):
    c.paint(power_ring(8, 8.8, 7.2, 3.9, -90, -20) | Poly((7.5, 0), (13.5, 4.2), (7.5, 8.5)), GREEN)


def img_smart_bar(c):
    c.paint(star(8, 8.6, 8.2, 3.4), YELLOW)


def img_keyword_bar(c):
    c.paint(Line(10, 10, 14.5, 14.5, 3.4), BROWN)
    c.paint(Ellipse(6.5, 6.5, 6), METAL)
    c.paint(Ellipse(6.5, 6.5, 3.8), ((230, 245, 255), (150, 200, 240), (72, 76, 70)))
    c.fill(Rect(4, 4, 6, 5), WHITE)


def img_history_bar(c):
    c.paint(Ellipse(8, 8, 7.5), BLUE)
    c.paint(Ellipse(8, 8, 5.9), PAPER, outline=False)
    if c.u == 1:
        c.art(3, 3, [
            ".....x.....",
            ".....x.....",
            ".....x.....",
            ".....x.....",
            "x....xxxx.x",
            "...........",
            "...........",
            "...........",
            ".....x.....",
        ], {"x": INK})
        c.fill(Rect(7, 7, 9, 9), (204, 0, 0))
        return
    # Hands two pixels wide on the dial's centre line, so they come out even.
    m, d = c.w // 2, round(5 * c.u)
    c.fill_px(m - 1, m - d, m + 1, m + 1, INK)
    c.fill_px(m - 1, m - 1, m + d - 3, m + 1, INK)
    c.fill_px(m - d, m - 1, m - d + 2, m + 1, INK)
    c.fill_px(m + d - 2, m - 1, m + d, m + 1, INK)
    c.fill_px(m - 1, m + d - 2, m + 1, m + d, INK)
    c.fill_px(m - 2, m - 2, m + 2, m + 2, (204, 0, 0))


def img_readme(c):
    sheet(c, 2, 0, 14, 16, fold=4)


def img_shortcut(c):
    c.paint(RoundRect(0, 3, 13, 16, 1.5), PAPER)
    c.paint(Line(4, 12.5, 10.5, 6, 2.6) | Poly((7, 2), (15, 2), (15, 10)), BLUE)


def img_resource_bar(c):
    c.paint(Rect(0, 1, 16, 15), ((96, 102, 104), (46, 52, 54), (20, 22, 24)))
    c.paint(Rect(2, 3, 14, 6), GREEN, outline=False)
    c.paint(Rect(2, 7, 10, 10), YELLOW, outline=False)
    c.paint(Rect(2, 11, 6, 14), RED, outline=False)


def img_desktop(c):
    monitor(c, TEAL)
    c.fill(Rect(2, 10, 14, 11), (200, 204, 198))
    c.art(3, 4, ["yy", "..", "ww"], {"y": (255, 220, 60), "w": WHITE})
    c.art(3, 10, ["gg"], {"g": (60, 160, 40)})


def img_start_menu(c):
    c.paint(Rect(2, 0, 15, 16), PAPER)
    c.paint(Rect(2, 0, 6, 16), BLUE)
    for y in (2, 5, 8, 11):
        text_line(c, 8, y, 13)
    c.fill(Rect(7, 13, 14, 14), (180, 184, 178))


def img_send_to(c):
    c.paint(Rect(0, 2, 13, 12), PAPER)
    if c.u != 1:
        # The flap as 1-pixel lines at 45 degrees, symmetric inside the outline.
        left, right, top, k = 1, c.first_px(13) - 2, c.first_px(2) + 1, round(4 * c.u)
        flap = (110, 114, 108)
        c.line_px(left, top, left + k, top + k, flap)
        c.line_px(left + k, top + k, right - k, top + k, flap)
        c.line_px(right - k, top + k, right, top, flap)
    else:
        c.art(1, 3, [
            "x.........x",
            ".x.......x.",
            "..x.....x..",
            "...x...x...",
            "....xxx....",
        ], {"x": (110, 114, 108)})
    c.paint(Poly((6, 9), (10, 9), (10, 6), (16, 11.5), (10, 17), (10, 14), (6, 14)), GREEN)


MENU_IMAGES = [
    img_delete,                # 0 delete (page, entry)
    img_cut,                   # 1 cut
    img_copy,                  # 2 copy
    img_paste,                 # 3 paste
    img_properties,            # 4 properties
    img_help,                  # 5 help
    img_add,                   # 6 add (entry, page)
    img_autorun,               # 7 AutoRun
    img_autorun_stopped,       # 8 AutoRun stopped
    img_open_folder,           # 9 open folder
    img_screen_saver,          # 10 screen saver
    img_shutdown,              # 11 shut down
    img_reboot,                # 12 restart
    img_smart_bar,             # 13 smart bar
    img_keyword_bar,           # 14 keyword bar
    img_history_bar,           # 15 history bar
    img_readme,                # 16 read-me
    img_shortcut,              # 17 shortcut, start-up
    img_resource_bar,          # 18 resource bar
    img_desktop,               # 19 desktop
    img_start_menu,            # 20 Start menu
    img_send_to,               # 21 send to
    img_screen_saver_stopped,  # 22 screen saver stopped
]


# ------------------------------------------------------------------ the organise dialog's images
def org_page(c):
    c.paint(Poly((1, 1), (7, 1), (8, 3), (15, 3), (15, 15), (1, 15)), BLUE)
    c.paint(Rect(2, 4, 14, 14), PAPER, outline=False)
    for y in (6, 9, 12):
        c.fill(Rect(4, y, 12, y + 1), TEXT_LINE)


def org_entry(c):
    c.paint(RoundRect(1, 1, 15, 15, 2), METAL, bevel=True)
    c.paint(Rect(4, 4, 12, 12), ORANGE)
    c.fill(Rect(5, 5, 11, 7), (255, 230, 180))


def org_separator(c):
    c.paint(Rect(0, 6, 16, 10), METAL)
    c.art(2, 7, ["x.x.x.x.x.x."], {"x": (110, 114, 108)})


ORGANISE_IMAGES = [org_page, org_entry, org_separator]


# ------------------------------------------------------------------ the TrueType mark
def truetype_glyph(c):
    # Two overlapping letters T; the back one lighter. The key colour (0x808080)
    # is used by neither.
    c.paint(Rect(0, 1, 10, 5) | Rect(3, 1, 7, 12), ((226, 230, 236), (196, 202, 212), (96, 104, 116)))
    c.paint(Rect(6, 5, 16, 9) | Rect(9, 5, 13, 16), BLUE)


# ------------------------------------------------------------------ the "not found" icons
QUESTION_16 = [
    ".rrr.",
    "rr.rr",
    "...rr",
    "..rr.",
    "..r..",
    ".....",
    "..r..",
]
QUESTION_32 = [
    "..rrrrrr..",
    ".rrrrrrrr.",
    "rrr....rrr",
    "rrr....rrr",
    ".......rrr",
    "......rrr.",
    ".....rrr..",
    "....rrr...",
    "....rrr...",
    "....rrr...",
    "..........",
    "..........",
    "....rrr...",
    "....rrr...",
    "....rrr...",
]


def not_found(size):
    c = Canvas(size, size)
    if size == 16:
        c.paint(Poly((2, 0), (10, 0), (14, 4), (14, 16), (2, 16)), PAPER)
        c.paint(Poly((10 - 0.01, 0), (10 - 0.01, 5), (14.01, 5)), METAL)
        c.art(5, 5, QUESTION_16, {"r": RED[1]})
    else:
        c.paint(Poly((4, 1), (20, 1), (28, 9), (28, 31), (4, 31)), PAPER)
        c.paint(Poly((20 - 0.01, 1), (20 - 0.01, 10), (28.01, 10)), METAL)
        c.art(11, 10, QUESTION_32, {"r": RED[1]})
    return c.rgba()


# ------------------------------------------------------------------ the program icon
def main_icon(size):
    """A blue tile with a white V rising like a launch, and a spark."""
    s = 8 if size < 48 else 4
    c = Canvas(size, size, s)
    u = size / 16.0  # drawn on a 16-unit grid, sharp at every size

    def P(x, y):
        return (x * u, y * u)

    c.paint(RoundRect(0.5 * u, 0.5 * u, 15.5 * u, 15.5 * u, 3 * u), ((90, 150, 225), (30, 76, 150), (16, 36, 80)),
            bevel=size >= 32)
    vee = Poly(P(2.6, 3.6), P(5.9, 3.6), P(8, 9.4), P(10.1, 3.6), P(13.4, 3.6), P(9.6, 13), P(6.4, 13))
    c.paint(vee, ((255, 255, 255), (214, 226, 242), (16, 36, 80)))
    c.paint(star(12.6 * u, 3.4 * u, 3.3 * u, 1.2 * u, points=4, turn=-90),
            ((255, 244, 160), (252, 190, 40), (150, 84, 0)))
    return c.rgba()


# ------------------------------------------------------------------ output
def draw(fn, width=16, height=16, size=16):
    """A picture designed on 16 pixels, drawn `size` pixels per 16."""
    c = Canvas(width * size // 16, height * size // 16, unit=size / 16)
    fn(c)
    return c.rgba()


# The menu strip at 96 DPI and at the sizes drawn for 144 and 192 DPI.
MENU_IMAGE_SIZES = {16: "menu_images.bmp", 24: "menu_images_24.bmp", 32: "menu_images_32.bmp"}


def outputs():
    organise = strip([draw(fn) for fn in ORGANISE_IMAGES])
    files = {
        "vantor.ico": ico([main_icon(16), main_icon(32), main_icon(48)]),
        "not_found_large.ico": ico([not_found(32)]),
        "not_found_small.ico": ico([not_found(16)]),
        "organise_images.bmp": bmp24(organise, (255, 0, 255)),
        "truetype_glyph.bmp": bmp24(draw(truetype_glyph), (128, 128, 128)),
    }
    for size, name in MENU_IMAGE_SIZES.items():
        files[name] = bmp24(strip([draw(fn, size=size) for fn in MENU_IMAGES]), (255, 0, 255))
    return files


def main(argv):
    preview = None
    if len(argv) >= 2 and argv[0] == "--preview":
        preview = argv[1]
    files = outputs()
    for name, data in files.items():
        with open(os.path.join(RES, name), "wb") as f:
            f.write(data)
        print("wrote", os.path.normpath(os.path.join(RES, name)))
    if preview:
        os.makedirs(preview, exist_ok=True)
        for name in files:
            src = os.path.join(RES, name)
            dst = os.path.join(preview, name.rsplit(".", 1)[0] + "-%d.png")
            # Enlarged 8 times without smoothing, one file per size of an icon.
            subprocess.run(["convert", src, "-background", "#c0c0c0", "-alpha", "remove", "-filter", "point",
                            "-resize", "800%", dst], check=True)

if __name__ == "__main__":
    main(sys.argv[1:])
