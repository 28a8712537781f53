#!/usr/bin/env python3
"""Draws Hallvex.ico: a rounded blue tile with a white play arrow, 16x16 and 32x32, 32 bits with alpha.

Run it again after changing the drawing; the .ico it writes is committed beside it."""
import struct
import sys


def pixel(x, y, n):
    """The colour (b, g, r, a) at the centre of pixel (x, y) of an n x n image, top row first."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    r = 0.18  # corner radius of the tile
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # The arrow: a triangle pointing right.
    if 0.36 <= u <= 0.74 and abs(v - 0.5) <= (0.74 - u) * 0.62:
        return (255, 255, 255, 255)
    shade = int(40 * v)  # darker toward the bottom
    return (200 - shade, 110 - shade // 2, 20, 255)


def image(n):
    rows = [b"".join(bytes(pixel(x, y, n)) for x in range(n)) for y in range(n)]
    xor = b"".join(reversed(rows))  # bitmaps are stored bottom row first
    mask_row = ((n + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + mask_row * n, 0, 0, 0, 0)
    return header + xor + bytes(mask_row * n)  # the alpha channel decides; the AND mask stays clear


def main(path):
    sizes = [16, 32]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Hallvex.ico")
