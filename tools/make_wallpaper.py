#!/usr/bin/env python3
"""Writes a seamless wallpaper tile as a 24-bit BMP: a soft woven linen in warm grey.
Every pattern term has a whole number of periods across the tile, so the tile's
right edge continues into its left and its bottom into its top.
Usage: make_wallpaper.py OUTPUT.bmp [SIZE]"""
import math
import random
import struct
import sys


def linen(size, seed=6):
    rng = random.Random(seed)
    # Threads: many thin horizontal and vertical waves of random phase and strength.
    warp = [(rng.randint(size // 8, size // 2), rng.random() * 2 * math.pi, rng.random())
            for _ in range(12)]
    weft = [(rng.randint(size // 8, size // 2), rng.random() * 2 * math.pi, rng.random())
            for _ in range(12)]
    column = [sum(a * math.sin(2 * math.pi * k * x / size + p) for k, p, a in warp)
              for x in range(size)]
    row = [sum(a * math.sin(2 * math.pi * k * y / size + p) for k, p, a in weft)
           for y in range(size)]
    pixels = []
    for y in range(size):
        line = []
        for x in range(size):
            v = 0.55 * column[x] + 0.45 * row[y]
            shade = 196 + int(v * 6)
            line.append((shade + 10, shade + 4, shade - 8))  # RGB, warm
        pixels.append(line)
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for line in reversed(pixels):  # bottom-up rows
        row = bytearray()
        for r, g, b in line:
            row += bytes((max(0, min(255, b)), max(0, min(255, g)), max(0, min(255, r))))
        data += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 256
    write_bmp(sys.argv[1], linen(size))


if __name__ == "__main__":
    main()
