#!/usr/bin/env python3
"""Draws the program icon (resource 101) and writes resources/VxUninstall.ico.

The icon is generated rather than drawn by hand so that it can be changed in
review: a dark receiver face with a yellow tuning dial, in 16 and 32 pixels.
"""
import math
import struct
import sys


def pixel(size, x, y):
    c = (size - 1) / 2.0
    r = size * 0.47
    d = math.hypot(x - c, y - c)
    edge = size * 0.08
    # Rounded square body.
    ax, ay = abs(x - c), abs(y - c)
    inner = size / 2.0 - edge
    corner = math.hypot(max(ax - inner + edge, 0), max(ay - inner + edge, 0))
    if ax > size / 2.0 - 0.5 or ay > size / 2.0 - 0.5 or corner > edge:
        return (0, 0, 0, 0)
    if d < r * 0.62 and d > r * 0.42:
        return (0x00, 0xd8, 0xff, 0xff)  # yellow ring (BGRA)
    angle = math.atan2(y - c, x - c)
    if d <= r * 0.42 and abs(angle + math.pi / 4) < 0.35:
        return (0x00, 0xd8, 0xff, 0xff)  # dial pointer
    return (0x62, 0x62, 0x62, 0xff)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/VxUninstall.ico")
