#!/usr/bin/env python3
"""Writes the teacher's default splash and logo pictures (24-bit BMP files)."""
import struct
import sys


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def splash(x, y):
    # A blue gradient with a lighter band: recognisable, cheap to reveal.
    band = 40 if 100 <= y < 150 else 0
    return (30 + band, 90 + y // 4 + band, 160 + x // 8)


def logo(x, y):
    return (240, 229 - y, 171 + x // 8) if (x // 12 + y // 12) % 2 else (200, 215, 240)


if __name__ == '__main__':
    folder = sys.argv[1]
    write_bmp(folder + '/Splash.bmp', 400, 250, splash)
    write_bmp(folder + '/Logo.bmp', 229, 51, logo)
