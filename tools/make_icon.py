#!/usr/bin/env python3
"""Writes the program icon: a small clock face (grey rim, white face, dark hands) at
16 and 32 pixels, as 32-bit images with alpha, into the .ico file named on the command
line."""
import math
import struct
import sys

RIM = (0x64, 0x64, 0x64)
FACE = (0xFF, 0xFF, 0xFF)
HAND = (0x19, 0x19, 0x19)


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pixel(size, x, y):
    """BGRA of one pixel, sampled 4 x 4 for smooth edges."""
    c = size / 2.0
    rim, face = size / 2.0 - 0.5, size / 2.0 - 0.5 - max(1.5, size / 12.0)
    hand_width = max(0.9, size / 16.0)
    # Ten past ten: hour hand towards 10, minute hand towards 2.
    hands = [(math.radians(-60), 0.45), (math.radians(60), 0.7)]
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
            r = math.hypot(px - c, py - c)
            colour = None
            if r <= face:
                colour = FACE
                for angle, length in hands:
                    tip = (c + math.sin(angle) * face * length, c - math.cos(angle) * face * length)
                    if distance_to_segment(px, py, c, c, *tip) <= hand_width:
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


def main():
    sizes = [16, 32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
