#!/usr/bin/env python3
"""Writes the About box's logo: a small clock face showing ten past ten beside the
product name in a built-in pixel font, as a 203 x 61, 24-bit BMP at the path named on
the command line."""
import math
import struct
import sys

WIDTH, HEIGHT = 203, 61
BACKGROUND = (0xFF, 0xFF, 0xFF)
RIM = (0x64, 0x64, 0x64)
FACE = (0xF4, 0xF4, 0xF4)
INK = (0x19, 0x19, 0x19)
ACCENT = (0xB0, 0x30, 0x20)

# The clock: centre, outer radius of the rim, and the face inside it.
CLOCK_X, CLOCK_Y, RIM_RADIUS, FACE_RADIUS = 31.0, 30.5, 27.0, 23.5
HANDS = [(-60.0, 0.5, 1.6), (60.0, 0.8, 1.2)]  # degrees from 12, length, half width
SECOND_HAND = (180.0, 0.85, 0.5)

# 5 x 7 glyphs of the product name, drawn SCALE pixels per dot.
GLYPHS = {
    "H": ["X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "l": [".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "m": [".....", ".....", "XX.X.", "X.X.X", "X.X.X", "X.X.X", "X.X.X"],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
}
NAME = "Horloma"
SCALE = 3
TEXT_X, TEXT_Y = 68, 14
UNDERLINE_Y = 43


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def clock_colour(px, py):
    """The clock's colour at a point, or None outside it."""
    r = math.hypot(px - CLOCK_X, py - CLOCK_Y)
    if r > RIM_RADIUS:
        return None
    if r > FACE_RADIUS:
        return RIM
    for angle, length, half_width in HANDS + [SECOND_HAND]:
        a = math.radians(angle)
        tip = (CLOCK_X + math.sin(a) * FACE_RADIUS * length,
               CLOCK_Y - math.cos(a) * FACE_RADIUS * length)
        if distance_to_segment(px, py, CLOCK_X, CLOCK_Y, *tip) <= half_width:
            return ACCENT if half_width < 1 else INK
    for hour in range(12):
        a = math.radians(hour * 30)
        dot = (CLOCK_X + math.sin(a) * FACE_RADIUS * 0.82,
               CLOCK_Y - math.cos(a) * FACE_RADIUS * 0.82)
        if math.hypot(px - dot[0], py - dot[1]) <= (1.6 if hour % 3 == 0 else 1.0):
            return INK
    return FACE


def text_mask():
    """The set of pixels the product name and the line under it cover."""
    covered = set()
    x = TEXT_X
    for letter in NAME:
        for row, line in enumerate(GLYPHS[letter]):
            for column, dot in enumerate(line):
                if dot == "X":
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            covered.add((x + column * SCALE + dx, TEXT_Y + row * SCALE + dy))
        x += 6 * SCALE
    for ux in range(TEXT_X, x - SCALE):
        covered.add((ux, UNDERLINE_Y))
    return covered


def pixel(x, y, text):
    """RGB of one pixel; the clock is sampled 4 x 4 for smooth edges."""
    if (x, y) in text:
        return INK
    total = [0, 0, 0]
    for sy in range(4):
        for sx in range(4):
            colour = clock_colour(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) or BACKGROUND
            for i in range(3):
                total[i] += colour[i]
    return tuple(t // 16 for t in total)


def main():
    text = text_mask()
    stride = (WIDTH * 3 + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up, as BMP data is stored
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y, text)
            row += bytes([b, g, r])
        rows.append(bytes(row) + bytes(stride - len(row)))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(sys.argv[1], "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main()
