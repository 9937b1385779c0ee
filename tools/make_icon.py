#!/usr/bin/env python3
"""Writes the program icon: a clock face (grey rim, white face, dark hands) at 16, 32,
48 and 256 pixels, as 32-bit images with alpha, into the .ico file named on the command
line. From 48 pixels on the face also has its twelve hour dots, a dark ring inside the
rim and a thin second hand; the 256-pixel image is stored as PNG, as Windows expects."""
import math
import struct
import sys
import zlib

RIM = (0x64, 0x64, 0x64)
FACE = (0xFF, 0xFF, 0xFF)
HAND = (0x19, 0x19, 0x19)
RING = (0x3C, 0x3C, 0x3C)
# Below this size dots, ring and second hand would only blur the face.
DETAIL_SIZE = 48


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pixel(size, x, y):
    """BGRA of one pixel, sampled 4 x 4 for smooth edges."""
    c = size / 2.0
    rim, face = size / 2.0 - 0.5, size / 2.0 - 0.5 - max(1.5, size / 12.0)
    hand_width = max(0.9, size / 16.0)
    detail = size >= DETAIL_SIZE
    # Ten past ten: hour hand towards 10, minute hand towards 2, seconds towards 7.
    hands = [(math.radians(-60), 0.45, hand_width), (math.radians(60), 0.7, hand_width)]
    if detail:
        # Room enough for the hands to be as slender as the clock's own.
        hands = [(math.radians(-60), 0.5, size / 30.0), (math.radians(60), 0.75, size / 44.0)]
        hands.append((math.radians(210), 0.8, max(0.6, size / 120.0)))
    ring_inner = face - size / 40.0
    dot_radius = size / 56.0
    dots = [(c + math.sin(math.radians(30 * k)) * face * 0.8,
             c - math.cos(math.radians(30 * k)) * face * 0.8) for k in range(12)]
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
            r = math.hypot(px - c, py - c)
            colour = None
            if r <= face:
                colour = FACE
                if detail:
                    if r >= ring_inner:
                        colour = RING
                    for dx, dy in dots:
                        if math.hypot(px - dx, py - dy) <= dot_radius:
                            colour = HAND
                for angle, length, width in hands:
                    tip = (c + math.sin(angle) * face * length, c - math.cos(angle) * face * length)
                    if distance_to_segment(px, py, c, c, *tip) <= width:
                        colour = HAND
            elif r <= rim:
                colour = RIM
            if colour:
                for i in range(3):
                    total[i] += colour[i]
                total[3] += 255
    if total[3] == 0:
        return bytes(4)
    a = total[3] / 16
    rgb = [int(total[i] / (total[3] / 255)) for i in range(3)]
    return bytes([rgb[2], rgb[1], rgb[0], int(a)])


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up, as BMP data is stored
        rows.append(b"".join(pixel(size, x, y) for x in range(size)))
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + bytes(mask_row * size)


def png(size):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b""
    for y in range(size):
        raw += b"\0"  # no filter
        for x in range(size):
            b, g, r, a = pixel(size, x, y)
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# Sizes of the images; the largest is kept as PNG.
SIZES = [16, 32, 48, 256]
PNG_SIZE = 256


def main():
    images = [png(s) if s == PNG_SIZE else image(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for s, data in zip(SIZES, images):
        # A side of 256 is written as 0 in the directory's byte.
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
