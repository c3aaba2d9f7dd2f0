#!/usr/bin/env python3
"""Draws the program's icon, app/resources/orvel.ico: a blue disc with a
white tick, as six images in this order: 32x32 and 16x16 at 24 bits (with a
transparency mask), then 48x48, 32x32, 24x24 and 16x16 at 32 bits (with an
alpha channel). Python's standard library only."""

import math
import struct
import sys
from pathlib import Path

IMAGES = [(32, 24), (16, 24), (48, 32), (32, 32), (24, 32), (16, 32)]
SAMPLES = 4  # per pixel side, for smooth edges

TOP = (0x4A, 0x9C, 0xE8)
BOTTOM = (0x17, 0x4E, 0x9E)
RIM = (0x0E, 0x35, 0x70)
TICK = (0xFF, 0xFF, 0xFF)
TICK_POINTS = [(0.27, 0.52), (0.44, 0.69), (0.75, 0.34)]


def segment_distance(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def sample(x, y, size):
    """The colour and coverage of one point, x and y in 0..1."""
    radius = 0.47
    r = math.hypot(x - 0.5, y - 0.5)
    if r > radius:
        return (0, 0, 0), 0.0
    rim = max(0.035, 1.0 / size)
    if r > radius - rim:
        return RIM, 1.0
    tick_width = max(0.065, 0.9 / size)
    tick = min(segment_distance(x, y, TICK_POINTS[i], TICK_POINTS[i + 1]) for i in range(len(TICK_POINTS) - 1))
    if tick < tick_width:
        return TICK, 1.0
    return tuple(round(t + (b - t) * y) for t, b in zip(TOP, BOTTOM)), 1.0


def pixel(px, py, size):
    """Averaged colour (straight alpha) and alpha of one pixel."""
    total = [0.0, 0.0, 0.0]
    alpha = 0.0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour, cover = sample((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size, size)
            alpha += cover
            for i in range(3):
                total[i] += colour[i] * cover
    if alpha == 0:
        return (0, 0, 0), 0
    colour = tuple(round(c / alpha) for c in total)
    return colour, round(255 * alpha / (SAMPLES * SAMPLES))


def row_bytes(bits, width):
    return (bits * width + 31) // 32 * 4


def image(size, bits):
    """One BMP-style icon image: header, colour rows and mask rows, bottom up."""
    colour_rows = []
    mask_rows = []
    for py in reversed(range(size)):
        colour_row = bytearray()
        mask = [0] * size
        for px in range(size):
            (red, green, blue), alpha = pixel(px, py, size)
            if bits == 32:
                colour_row += bytes((blue, green, red, alpha))
                mask[px] = 1 if alpha == 0 else 0
            else:
                opaque = alpha >= 128
                colour_row += bytes((blue, green, red)) if opaque else b"\0\0\0"
                mask[px] = 0 if opaque else 1
        colour_row += b"\0" * (row_bytes(bits, size) - len(colour_row))
        mask_row = bytearray(row_bytes(1, size))
        for px, bit in enumerate(mask):
            if bit:
                mask_row[px // 8] |= 0x80 >> (px % 8)
        colour_rows.append(bytes(colour_row))
        mask_rows.append(bytes(mask_row))
    pixels = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    return header + pixels


def icon():
    images = [image(size, bits) for size, bits in IMAGES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, bits), data in zip(IMAGES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "app/resources/orvel.ico"
    target.write_bytes(icon())
    print(f"{target}: {len(IMAGES)} images")
