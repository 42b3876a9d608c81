#!/usr/bin/env python3
"""Draws the program's three icons as 16-colour .ico files (32x32 and 16x16).

vesperkit.ico: an evening moon on a dark-blue disc (the program's own icon).
ClockGreen.ico / ClockRed.ico: a clock face, green while a schedule is armed,
red while it is stopped.
Run it again only to change the pictures; the .ico files are committed.
"""
import math
import struct
import sys
from pathlib import Path

# The standard 16-colour palette (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, NAVY, GREY, RED, GREEN, YELLOW, WHITE = 0, 2, 4, 8, 9, 10, 11, 15


def near_segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) <= width


def clock(size, face):
    """Returns a size x size grid of palette indices, None for transparent."""
    c = (size - 1) / 2
    r = size / 2 - 0.5
    grid = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > r:
                row.append(None)
            elif d > r - max(1.0, size / 16):
                row.append(BLACK)
            elif d > r * 0.72:
                row.append(face)
            else:
                hand = (near_segment(x, y, c, c, c, c - r * 0.6, size / 28 + 0.45) or
                        near_segment(x, y, c, c, c + r * 0.45, c, size / 28 + 0.45))
                row.append(BLACK if hand else WHITE)
        grid.append(row)
    return grid


def moon(size):
    c = (size - 1) / 2
    r = size / 2 - 0.5
    grid = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > r:
                row.append(None)
            elif d > r - max(1.0, size / 16):
                row.append(BLACK)
            else:
                in_moon = math.hypot(x - c + r * 0.12, y - c) < r * 0.62
                bite = math.hypot(x - c - r * 0.18, y - c + r * 0.18) < r * 0.5
                star = size >= 32 and math.hypot(x - c - r * 0.45, y - c + r * 0.45) < 1.3
                row.append(YELLOW if (in_moon and not bite) or star else NAVY)
        grid.append(row)
    return grid


def image_bytes(grid):
    size = len(grid)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(grid):  # bitmaps are stored bottom-up
        nibbles = [0 if p is None else p for p in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(packed + b'\0' * (-len(packed) % 4))
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b'\0' * (-len(mask) % 4))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def icon_file(grids):
    images = [image_bytes(g) for g in grids]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for grid, data in zip(grids, images):
        size = len(grid)
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / 'resources')
    folder.mkdir(parents=True, exist_ok=True)
    (folder / 'vesperkit.ico').write_bytes(icon_file([moon(32), moon(16)]))
    (folder / 'ClockGreen.ico').write_bytes(icon_file([clock(32, GREEN), clock(16, GREEN)]))
    (folder / 'ClockRed.ico').write_bytes(icon_file([clock(32, RED), clock(16, RED)]))


if __name__ == '__main__':
    main()
