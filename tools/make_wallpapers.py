#!/usr/bin/env python3
"""Writes the wallpaper set the installer ships, 01.bmp to 08.bmp, into a folder: seamless
24-bit tiles of linen, walnut, marble, slate, cork, paper, leather and brushed steel.
06.bmp, a calm mid-light paper, is the default the clock is first seen on.

Every term of every pattern repeats a whole number of times across its tile (lattice
noise on an integer grid that wraps, sines of integer frequency), so a tile's right edge
continues into its left and its bottom into its top. Plain Python, one pass per row.
Usage: make_wallpapers.py OUTPUT_FOLDER"""
import math
import os
import random
import struct
import sys

TAU = 2 * math.pi


def smooth(t):
    return t * t * (3 - 2 * t)


def noise(size, fx, fy, rng):
    """Value noise in [0, 1] with fx cells across and fy cells down, wrapping at the tile's
    edges: the lattice is interpolated along x once per lattice row, then along y."""
    lattice = [[rng.random() for _ in range(fx)] for _ in range(fy)]
    xs = []
    for x in range(size):
        position = x * fx / size
        cell = int(position)
        xs.append((cell % fx, (cell + 1) % fx, smooth(position - cell)))
    across = [[row[i] + s * (row[j] - row[i]) for i, j, s in xs] for row in lattice]
    rows = []
    for y in range(size):
        position = y * fy / size
        cell = int(position)
        s = smooth(position - cell)
        upper, lower = across[cell % fy], across[(cell + 1) % fy]
        rows.append([a + s * (b - a) for a, b in zip(upper, lower)])
    return rows


def fbm(size, fx, fy, octaves, rng, gain=0.5):
    """Octaves of value noise, each at twice the frequency, normalised back to [0, 1]."""
    total = noise(size, fx, fy, rng)
    weight, norm = 1.0, 1.0
    for octave in range(1, octaves):
        weight *= gain
        norm += weight
        layer = noise(size, fx << octave, fy << octave, rng)
        total = [[a + weight * b for a, b in zip(ra, rb)] for ra, rb in zip(total, layer)]
    return [[v / norm for v in row] for row in total]


def mix(*layers):
    """Weighted sum of (weight, field) pairs, pixel by pixel."""
    weight, field = layers[0]
    total = [[weight * v for v in row] for row in field]
    for weight, field in layers[1:]:
        total = [[a + weight * b for a, b in zip(ra, rb)] for ra, rb in zip(total, field)]
    return total


def ramp(stops):
    """A 256-entry colour table through the (position, (r, g, b)) stops."""
    table = []
    for i in range(256):
        t = i / 255
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if t <= p1:
                s = (t - p0) / (p1 - p0) if p1 > p0 else 0
                table.append(tuple(round(a + s * (b - a)) for a, b in zip(c0, c1)))
                break
    return table


def paint(field, stops, low, high):
    """Colours a field by mapping [low, high] onto the ramp; values outside are clamped."""
    table = ramp(stops)
    scale = 255 / (high - low)
    return [[table[min(255, max(0, int((v - low) * scale)))] for v in row] for row in field]


def linen(rng):
    size = 256
    threads = 64  # a thread every 4 pixels both ways
    # Threads of uneven thickness: slubs along each thread, varying slowly along it.
    warp = noise(size, 4, threads, rng)
    weft = noise(size, threads, 4, rng)
    wave = [0.5 + 0.5 * math.sin(TAU * threads * i / size) for i in range(size)]
    across = [[w * wave[x] for x, w in enumerate(row)] for row in warp]
    down = [[w * wave[y] for w in row] for y, row in enumerate(weft)]
    field = mix((0.45, across), (0.4, down), (0.15, fbm(size, 4, 4, 3, rng)))
    return paint(field, [(0, (168, 158, 140)), (1, (222, 214, 196))], 0.1, 0.75)


def walnut(rng):
    size = 256
    # Growth rings running across the plank, bent by slow noise; fibres along the grain.
    bend = fbm(size, 2, 3, 3, rng)
    fibres = noise(size, 8, 96, rng)
    rings = 7
    field = []
    for y, (bend_row, fibre_row) in enumerate(zip(bend, fibres)):
        base = rings * y / size
        row = []
        for b, f in zip(bend_row, fibre_row):
            ring = 0.5 + 0.5 * math.sin(TAU * (base + 2.2 * b))
            row.append(0.65 * ring * ring + 0.35 * f)
        field.append(row)
    return paint(field, [(0, (54, 33, 20)), (0.55, (98, 63, 38)), (1, (138, 96, 60))], 0.05, 0.95)


def marble(rng):
    size = 256
    turbulence = fbm(size, 3, 3, 5, rng)
    cloud = fbm(size, 2, 2, 3, rng)
    field = []
    for y, (t_row, c_row) in enumerate(zip(turbulence, cloud)):
        row = []
        for x, (t, c) in enumerate(zip(t_row, c_row)):
            # Veins along a diagonal of whole periods, 2 across and 3 down.
            v = abs(math.sin(TAU * (2 * x / size + 3 * y / size) / 2 + 7.0 * t))
            row.append(0.75 * v ** 0.25 + 0.25 * c)
        field.append(row)
    return paint(field, [(0, (118, 120, 126)), (0.55, (200, 200, 202)), (1, (240, 238, 233))],
                 0.2, 0.95)


def slate(rng):
    size = 320
    # Cleavage: long, thin layers along x over a cloudy ground.
    layers = fbm(size, 2, 20, 3, rng)
    ground = fbm(size, 4, 4, 4, rng)
    grit = noise(size, 160, 160, rng)
    field = mix((0.45, layers), (0.4, ground), (0.15, grit))
    return paint(field, [(0, (52, 58, 68)), (1, (102, 110, 122))], 0.2, 0.8)


def cork(rng):
    size = 192
    ground = fbm(size, 6, 6, 3, rng)
    granules = fbm(size, 24, 24, 2, rng)
    field = []
    for g_row, n_row in zip(ground, granules):
        # Dark pits where the fine noise peaks, lighter grains between them.
        field.append([0.6 * g + 0.4 * (1 - max(0.0, n - 0.5) * 3.0) for g, n in zip(g_row, n_row)])
    return paint(field, [(0, (92, 58, 32)), (0.6, (166, 118, 74)), (1, (204, 160, 110))], 0.3, 0.9)


def paper(rng):
    # The default: a calm, mid-light warm grey with soft clouding and faint fibres, low
    # in contrast so that the clock reads well over it on any screen.
    size = 256
    cloud = fbm(size, 3, 3, 4, rng)
    fibres_across = noise(size, 16, 64, rng)
    fibres_down = noise(size, 64, 16, rng)
    grain = noise(size, 128, 128, rng)
    field = mix((0.55, cloud), (0.15, fibres_across), (0.15, fibres_down), (0.15, grain))
    return paint(field, [(0, (166, 162, 154)), (1, (190, 186, 177))], 0.2, 0.8)


def leather(rng):
    size = 256
    creases = fbm(size, 10, 10, 2, rng)
    pores = noise(size, 128, 128, rng)
    tone = fbm(size, 2, 2, 3, rng)
    field = []
    for c_row, p_row, t_row in zip(creases, pores, tone):
        # Ridged noise: a dark crease wherever the noise passes its middle.
        field.append([0.5 * abs(2 * c - 1) ** 0.5 + 0.2 * p + 0.3 * t
                      for c, p, t in zip(c_row, p_row, t_row)])
    return paint(field, [(0, (58, 26, 18)), (0.6, (112, 52, 34)), (1, (146, 76, 50))], 0.1, 0.8)


def brushed_steel(rng):
    size = 256
    # Scratches: noise long along x and fine across, on a broad sheen.
    streaks = noise(size, 2, 128, rng)
    fine = noise(size, 8, 256, rng)
    sheen = fbm(size, 1, 2, 2, rng)
    field = mix((0.45, streaks), (0.25, fine), (0.3, sheen))
    return paint(field, [(0, (132, 136, 142)), (1, (196, 200, 206))], 0.15, 0.85)


# In file order: 01.bmp is linen, 06.bmp the default paper.
TILES = [linen, walnut, marble, slate, cork, paper, leather, brushed_steel]
DEFAULT_NUMBER = 6


def bmp_bytes(pixels):
    """A 24-bit bottom-up BMP of rows of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    padding = bytes(stride - width * 3)
    data = b"".join(bytes(channel for r, g, b in line for channel in (b, g, r)) + padding
                    for line in reversed(pixels))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def write_set(folder):
    os.makedirs(folder, exist_ok=True)
    for number, tile in enumerate(TILES, start=1):
        # A seed of its own per tile, so each is the same on every run.
        pixels = tile(random.Random(number))
        with open(os.path.join(folder, "%02d.bmp" % number), "wb") as f:
            f.write(bmp_bytes(pixels))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_wallpapers.py OUTPUT_FOLDER")
    write_set(sys.argv[1])


if __name__ == "__main__":
    main()
