#!/usr/bin/env python3
"""Draws the splash picture and the application icon of VELDRAN.

Everything is drawn here from scratch (a 5 x 7 pixel font, square-wave traces in the colours of the
timing diagram) and written with the standard library only, so the pictures can be rebuilt on any
machine:

    scripts/make-artwork.py [output folder]      (default: resources/ beside this script's folder)

Outputs: splash.bmp (450 x 322, 24 bits, bottom-up BMP) and veldran.png / veldran-<n>.png icons.
"""

import os
import struct
import sys
import zlib

# --- pixel font -----------------------------------------------------------------------------------

GLYPHS = {
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #....",
    "G": ".###. #...# #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...#",
    "I": ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.",
    "J": "..### ...#. ...#. ...#. ...#. #..#. .##..",
    "K": "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    "L": "#.... #.... #.... #.... #.... #.... #####",
    "M": "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    "N": "#...# #...# ##..# #.#.# #..## #...# #...#",
    "O": ".###. #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #.#.# #..#. .##.#",
    "R": "####. #...# #...# ####. #.#.. #..#. #...#",
    "S": ".#### #.... #.... .###. ....# ....# ####.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# #...# #...# .#.#. ..#..",
    "W": "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    "X": "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. .#... #.... #####",
    "0": ".###. #...# #..## #.#.# ##..# #...# .###.",
    "1": "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    "3": "##### ...#. ..#.. ...#. ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    "5": "##### #.... ####. ....# ....# #...# .###.",
    "6": "..##. .#... #.... ####. #...# #...# .###.",
    "7": "##### ....# ...#. ..#.. .#... .#... .#...",
    "8": ".###. #...# #...# .###. #...# #...# .###.",
    "9": ".###. #...# #...# .#### ....# ...#. .##..",
    "-": "..... ..... ..... ##### ..... ..... .....",
    ".": "..... ..... ..... ..... ..... .##.. .##..",
    " ": "..... ..... ..... ..... ..... ..... .....",
}
GLYPH_W, GLYPH_H = 5, 7


def glyph_rows(ch):
    return GLYPHS[ch.upper()].split()


def text_width(text, scale):
    return len(text) * (GLYPH_W + 1) * scale - scale


# --- canvas ---------------------------------------------------------------------------------------

class Canvas:
    """An RGB picture, row 0 at the top."""

    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.pixels[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = colour

    def hline(self, x0, x1, y, colour, thickness=1):
        self.fill(min(x0, x1), y, max(x0, x1) + 1, y + thickness, colour)

    def vline(self, x, y0, y1, colour, thickness=1):
        self.fill(x, min(y0, y1), x + thickness, max(y0, y1) + 1, colour)

    def text(self, x, y, text, colour, scale=1, gap=0):
        """Block letters: each font pixel is a scale x scale square, less `gap` on its right and
        bottom so that large letters look built from blocks."""
        for ch in text:
            for row, bits in enumerate(glyph_rows(ch)):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        px, py = x + col * scale, y + row * scale
                        self.fill(px, py, px + scale - gap, py + scale - gap, colour)
            x += (GLYPH_W + 1) * scale


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


# --- splash ---------------------------------------------------------------------------------------

SPLASH_W, SPLASH_H = 450, 322
HIGH_RED = (255, 0, 0)      # the diagram draws high levels red,
LOW_BLUE = (0, 0, 255)      # low levels blue
EDGE_BLACK = (0, 0, 0)      # and edges black


def trace_levels(channel, count):
    """Level patterns that look like a real capture: a clock, a counter, a strobe and a data line."""
    lfsr = 0x5A
    levels = []
    for i in range(count):
        if channel == 0:
            level = i & 1
        elif channel == 1:
            level = (i >> 1) & 1
        elif channel == 2:
            level = (i >> 2) & 1
        elif channel == 3:
            level = 1 if i % 11 in (3, 4) else 0
        elif channel == 4:
            lfsr = ((lfsr << 1) | (((lfsr >> 7) ^ (lfsr >> 5) ^ (lfsr >> 4) ^ (lfsr >> 3)) & 1)) & 0xFF
            level = lfsr & 1
        else:
            level = 0 if 12 <= i < 30 else 1
        levels.append(level)
    return levels


def draw_trace(canvas, levels, x0, step, y_high, y_low):
    previous = None
    for k, level in enumerate(levels):
        x = x0 + k * step
        if previous is not None and previous != level:
            canvas.vline(x, y_high, y_low, EDGE_BLACK, 2)
        y = y_high if level else y_low
        canvas.hline(x, x + step - 1, y, HIGH_RED if level else LOW_BLUE, 2)
        previous = level


def dashed_vline(canvas, x, y0, y1, colour):
    for y in range(y0, y1):
        if (y // 3) % 2 == 0:
            canvas.put(x, y, colour)


def make_splash():
    c = Canvas(SPLASH_W, SPLASH_H)
    top, bottom = (9, 22, 48), (30, 58, 102)
    for y in range(SPLASH_H):
        c.hline(0, SPLASH_W - 1, y, lerp(top, bottom, y / (SPLASH_H - 1)))

    title = "VELDRAN"
    scale = 8
    tx = (SPLASH_W - text_width(title, scale)) // 2
    c.text(tx + 3, 25, title, (4, 10, 24), scale, 1)       # shadow
    c.text(tx, 22, title, (236, 242, 255), scale, 1)

    subtitle = "48-CHANNEL LOGIC ANALYZER"
    c.text((SPLASH_W - text_width(subtitle, 2)) // 2, 92, subtitle, (150, 190, 255), 2)

    # The timing diagram panel.
    px0, py0, px1, py1 = 18, 124, SPLASH_W - 18, SPLASH_H - 16
    c.fill(px0 - 2, py0 - 2, px1 + 2, py1 + 2, (90, 110, 140))
    c.fill(px0, py0, px1, py1, (250, 250, 246))
    step, first_x, samples = 8, 56, 45
    for k in range(0, samples + 1, 5):
        dashed_vline(c, first_x + k * step, py0 + 14, py1 - 4, (214, 218, 224))
    rows, row_h, row_y = 6, 27, py0 + 14
    for ch in range(rows):
        y = row_y + ch * row_h
        c.text(px0 + 8, y + 6, "A%d" % ch, (70, 70, 80), 1)
        draw_trace(c, trace_levels(ch, samples), first_x, step, y + 2, y + 17)

    # X and Y cursors, as the diagram marks two sample positions.
    for label, sample, colour in (("X", 13, (0, 140, 60)), ("Y", 33, (170, 0, 170))):
        x = first_x + sample * step
        dashed_vline(c, x, py0 + 12, py1 - 2, colour)
        dashed_vline(c, x + 1, py0 + 12, py1 - 2, colour)
        c.text(x - 2, py0 + 3, label, colour, 1)
    return c


def bmp_bytes(canvas):
    """A bottom-up 24-bit BMP; every header field written out, little-endian."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    image_size = stride * h
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for r, g, b in canvas.pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    return header + info + b"".join(rows)


# --- icon -----------------------------------------------------------------------------------------

def inside_round_rect(u, v, x0, y0, x1, y1, r):
    if not (x0 <= u <= x1 and y0 <= v <= y1):
        return False
    cx = min(max(u, x0 + r), x1 - r)
    cy = min(max(v, y0 + r), y1 - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def icon_colour(u, v, size):
    """The icon in unit coordinates (y down): a light panel with a bold square wave on it."""
    if not inside_round_rect(u, v, 0.04, 0.04, 0.96, 0.96, 0.17):
        return None
    if not inside_round_rect(u, v, 0.075, 0.075, 0.925, 0.925, 0.14):
        return (30, 52, 92)
    stroke = 0.045 if size >= 64 else 0.075
    high, low = 0.31, 0.69
    edges = (0.15, 0.31, 0.50, 0.66, 0.85)
    levels = (0, 1, 0, 1)
    for i, level in enumerate(levels):
        a, b = edges[i], edges[i + 1]
        y = high if level else low
        if a - stroke / 2 <= u <= b + stroke / 2 and abs(v - y) <= stroke / 2:
            return (226, 24, 24) if level else (24, 54, 226)
        if i > 0 and levels[i - 1] != level and abs(u - a) <= stroke / 2 and high - stroke / 2 <= v <= low + stroke / 2:
            return (24, 24, 28)
    if size >= 64:
        for gx in (0.25, 0.5, 0.75):
            if abs(u - gx) <= 0.006:
                return (214, 220, 230)
    return (246, 248, 251)


def make_icon(size, samples=4):
    """RGBA rows, each pixel the average of samples x samples points (smooth edges)."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    colour = icon_colour((x + (sx + 0.5) / samples) / size,
                                         (y + (sy + 0.5) / samples) / size, size)
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // n, acc[1] // n, acc[2] // n, n * 255 // (samples * samples)))
        rows.append(row)
    return rows


def png_bytes(rows):
    h, w = len(rows), len(rows[0])

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


ICON_SIZES = (256, 128, 64, 48, 32, 16)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, os.pardir, "resources")
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "splash.bmp"), "wb") as f:
        f.write(bmp_bytes(make_splash()))
    for size in ICON_SIZES:
        name = "veldran.png" if size == 256 else "veldran-%d.png" % size
        with open(os.path.join(out, name), "wb") as f:
            f.write(png_bytes(make_icon(size)))


if __name__ == "__main__":
    main()
