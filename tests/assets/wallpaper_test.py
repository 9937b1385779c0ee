#!/usr/bin/env python3
"""Checks the wallpaper set a folder holds: 01.bmp ... as 24-bit BMP tiles of 128 to 512
pixels a side that join seamlessly when tiled, all distinct, and a calm, mid-light 06.bmp.
Usage: wallpaper_test.py FOLDER"""
import os
import struct
import sys
import tempfile
import unittest

FOLDER = None
MIN_TILES = 8
MIN_SIDE, MAX_SIDE = 128, 512
# The seam across a wrap edge may be at most this much above the largest step between
# neighbouring rows or columns inside the tile.
SEAM_ALLOWANCE = 1.0
# 06.bmp sits behind the clock's light bezel and dark hands.
DEFAULT_LUMINANCE = (130, 200)
DEFAULT_MAX_SPREAD = 12
# Two tiles count as distinct when their mean colours differ this much in some channel,
# or their textures (mean neighbour step) by this factor.
DISTINCT_COLOUR = 8
DISTINCT_TEXTURE = 1.3


def read_bmp(path):
    """(width, height, rows of (r, g, b) top-down); raises ValueError for anything but an
    uncompressed 24-bit BMP."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("%s: not a BMP" % path)
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if size < 40 or planes != 1 or bits != 24 or compression != 0:
        raise ValueError("%s: not an uncompressed 24-bit BMP" % path)
    stride = (width * 3 + 3) & ~3
    if width <= 0 or height == 0 or len(data) < offset + stride * abs(height):
        raise ValueError("%s: truncated" % path)
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        line = data[start:start + width * 3]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, width * 3, 3)])
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


def line_step(a, b):
    """Mean absolute channel difference between two lines of pixels."""
    return sum(abs(p - q) for pa, pb in zip(a, b) for p, q in zip(pa, pb)) / (3 * len(a))


def seam_steps(rows):
    """(largest inner step, wrap step) between neighbouring columns, then between
    neighbouring rows."""
    columns = [list(c) for c in zip(*rows)]
    result = []
    for lines in (columns, rows):
        inner = max(line_step(lines[i], lines[i + 1]) for i in range(len(lines) - 1))
        result.append((inner, line_step(lines[-1], lines[0])))
    return result


def is_seamless(rows):
    return all(wrap <= SEAM_ALLOWANCE * inner for inner, wrap in seam_steps(rows))


def luminance(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = b"".join(bytes(c for r, g, b in line for c in (b, g, r)) + bytes(stride - 3 * width)
                    for line in reversed(rows))
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0))
        f.write(data)


class WallpaperSet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        names = sorted(n for n in os.listdir(FOLDER) if n.lower().endswith(".bmp"))
        cls.names = names
        cls.tiles = {n: read_bmp(os.path.join(FOLDER, n)) for n in names}

    def test_set_is_numbered_from_01_with_06_among_them(self):
        self.assertGreaterEqual(len(self.names), MIN_TILES)
        self.assertEqual(self.names, ["%02d.bmp" % i for i in range(1, len(self.names) + 1)])

    def test_every_tile_is_square_enough_and_sized_within_bounds(self):
        for name, (width, height, rows) in self.tiles.items():
            with self.subTest(tile=name):
                self.assertTrue(MIN_SIDE <= width <= MAX_SIDE, width)
                self.assertTrue(MIN_SIDE <= height <= MAX_SIDE, height)
                self.assertEqual(len(rows), height)

    def test_every_tile_joins_its_own_edges(self):
        for name, (width, height, rows) in self.tiles.items():
            for axis, (inner, wrap) in zip(("left-right", "top-bottom"), seam_steps(rows)):
                with self.subTest(tile=name, seam=axis):
                    self.assertLessEqual(wrap, SEAM_ALLOWANCE * inner,
                                         "step across the seam %.2f, largest inside %.2f"
                                         % (wrap, inner))

    def test_tiles_are_distinct(self):
        summary = {}
        for name, (width, height, rows) in self.tiles.items():
            pixels = [p for row in rows for p in row]
            mean = [sum(p[c] for p in pixels) / len(pixels) for c in range(3)]
            texture = sum(line_step(rows[i], rows[i + 1]) for i in range(height - 1)) / (height - 1)
            summary[name] = (mean, texture)
        for i, a in enumerate(self.names):
            for b in self.names[i + 1:]:
                (mean_a, texture_a), (mean_b, texture_b) = summary[a], summary[b]
                colour = max(abs(x - y) for x, y in zip(mean_a, mean_b))
                texture = max(texture_a, texture_b) / max(1e-9, min(texture_a, texture_b))
                with self.subTest(pair=(a, b)):
                    self.assertTrue(colour >= DISTINCT_COLOUR or texture >= DISTINCT_TEXTURE,
                                    "mean colours %.1f apart, textures %.2f x" % (colour, texture))

    def test_default_tile_is_calm_and_mid_light(self):
        width, height, rows = self.tiles["06.bmp"]
        values = [luminance(p) for row in rows for p in row]
        mean = sum(values) / len(values)
        spread = (sum((v - mean) ** 2 for v in values) / len(values)) ** 0.5
        self.assertTrue(DEFAULT_LUMINANCE[0] <= mean <= DEFAULT_LUMINANCE[1], mean)
        self.assertLessEqual(spread, DEFAULT_MAX_SPREAD)


class SeamCheck(unittest.TestCase):
    """The seam rule itself, on tiles that must fail it."""

    def test_a_cut_out_of_a_tile_is_not_seamless(self):
        # The default tile cut down to two thirds: the same texture, but its edges no
        # longer meet.
        width, height, rows = read_bmp(os.path.join(FOLDER, "06.bmp"))
        cut = [row[:width * 2 // 3] for row in rows[:height * 2 // 3]]
        self.assertTrue(is_seamless(rows))
        self.assertFalse(is_seamless(cut))

    def test_a_gradient_is_not_seamless(self):
        ramp = [[(x, y, 128) for x in range(200)] for y in range(200)]
        self.assertFalse(is_seamless(ramp))

    def test_a_tile_that_is_not_24_bit_is_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "tile.bmp")
            write_bmp(path, [[(1, 2, 3)] * 130] * 130)
            self.assertEqual(read_bmp(path)[:2], (130, 130))
            with open(path, "r+b") as f:
                f.seek(28)
                f.write(struct.pack("<H", 32))
            with self.assertRaises(ValueError):
                read_bmp(path)


if __name__ == "__main__":
    FOLDER = sys.argv.pop(1)
    unittest.main(verbosity=2)
