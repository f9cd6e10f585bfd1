#!/usr/bin/env python3
"""Writes the small pictures of the end-to-end demo disc (24-bit bitmaps) into Media/.

Run it again only to change the pictures; the files it writes are kept in the tree.
"""
import math
import os
import struct


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y from the top."""
    row_bytes = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def inside_logo(x, y):
    return (x - 31.5) ** 2 + (y - 23.5) ** 2 <= 22 ** 2


def logo(x, y):
    if not inside_logo(x, y):
        return (255, 0, 255)  # never shown: the mask keeps the form there
    shade = int(120 + 100 * (y / 47))
    return (30, shade, 200) if (x // 8 + y // 8) % 2 else (250, 200, 40)


def logo_mask(x, y):
    return (0, 0, 0) if inside_logo(x, y) else (255, 255, 255)


def photo(x, y):
    sky = y < 50
    if sky:
        return (120 + y, 170 + y, 240)
    hill = 50 + int(10 * math.sin(x / 15))
    return (60, 140 + (y - 50), 60) if y > hill else (120 + y, 170 + y, 240)


def glow(x, y):
    return (255, 230, 120) if (x + y) % 6 < 3 else (255, 200, 60)


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Media')
write_bmp(os.path.join(here, 'logo.bmp'), 64, 48, logo)
write_bmp(os.path.join(here, 'logomask.bmp'), 64, 48, logo_mask)
write_bmp(os.path.join(here, 'photo.bmp'), 160, 100, photo)
write_bmp(os.path.join(here, 'glow.bmp'), 100, 24, glow)
