#!/usr/bin/env python3
"""Packs the program icon: the images paint_icon wrote (icon-<size>.bgra, raw top-down
BGRA with straight alpha) and, for every size it did not paint, the image of the same
size in the .ico file tools/make_icon.py drew. Usage: pack_icon.py PAINTED_DIR DRAWN_ICO
OUT_ICO. The 256-pixel image is stored as PNG, as Windows expects; the others as 32-bit
DIBs with an empty AND mask, the alpha channel doing the cutting."""
import os
import struct
import sys
import zlib

PNG_FROM = 256


def png(size, bgra):
    rows = b""
    for y in range(size):
        row = bgra[y * size * 4:(y + 1) * size * 4]
        rgba = bytearray(len(row))
        rgba[0::4], rgba[1::4], rgba[2::4], rgba[3::4] = row[2::4], row[1::4], row[0::4], row[3::4]
        rows += b"\0" + bytes(rgba)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def dib(size, bgra):
    rows = b"".join(bgra[y * size * 4:(y + 1) * size * 4] for y in range(size - 1, -1, -1))
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + rows + bytes(mask_row * size)


def drawn_images(path):
    """{size: image bytes} of an .ico file's entries."""
    with open(path, "rb") as f:
        data = f.read()
    _, _, count = struct.unpack_from("<HHH", data, 0)
    images = {}
    for i in range(count):
        w, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images[w or 256] = data[offset:offset + length]
    return images


def main():
    painted_dir, drawn_ico, out_ico = sys.argv[1:4]
    images = drawn_images(drawn_ico)
    for name in os.listdir(painted_dir):
        if name.startswith("icon-") and name.endswith(".bgra"):
            size = int(name[5:-5])
            with open(os.path.join(painted_dir, name), "rb") as f:
                bgra = f.read()
            if len(bgra) != size * size * 4:
                sys.exit("pack_icon: %s is not %d x %d BGRA" % (name, size, size))
            images[size] = png(size, bgra) if size >= PNG_FROM else dib(size, bgra)
    sizes = sorted(images)
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s in sizes:
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(images[s]), offset)
        offset += len(images[s])
    with open(out_ico, "wb") as f:
        f.write(out + b"".join(images[s] for s in sizes))


if __name__ == "__main__":
    main()
