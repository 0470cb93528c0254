#!/usr/bin/env python3
"""Draws the program icon (resource 101) and writes resources/VxUninstall.ico.

The icon is generated rather than drawn by hand so that it can be changed in
review: a dark receiver face with a yellow tuning dial and a red removal badge,
in the 16, 32 and 48 pixel sizes that Windows asks for, 32-bit with alpha and
an AND mask that matches it for displays that ignore alpha.
"""
import math
import struct
import sys

SUPERSAMPLE = 4
BODY = (0x50, 0x50, 0x50)
DIAL = (0xff, 0xd8, 0x00)
BADGE = (0xd0, 0x20, 0x20)
WHITE = (0xff, 0xff, 0xff)


def colour_at(size, x, y):
    """Colour (r, g, b) or None at a point of the size-pixel square."""
    c = size / 2.0
    dx, dy = x - c, y - c
    # Removal badge: a red disc with a white bar, bottom right, over the face.
    bc, br = size * 0.76, size * 0.24
    bd = math.hypot(x - bc, y - bc)
    if bd <= br:
        if abs(y - bc) <= max(size * 0.045, 0.75) and abs(x - bc) <= br * 0.62:
            return WHITE
        return BADGE
    # Receiver face: a rounded square.
    half, radius = size * 0.46, size * 0.12
    qx, qy = abs(dx) - (half - radius), abs(dy) - (half - radius)
    if math.hypot(max(qx, 0), max(qy, 0)) > radius or max(qx, qy) > radius:
        return None
    # Tuning dial up left of the badge: a ring, a centre knob and a pointer line.
    kc = size * 0.42
    kx, ky = x - kc, y - kc
    d = math.hypot(kx, ky)
    if size * 0.19 < d < size * 0.29:
        return DIAL
    if d < size * 0.06:
        return DIAL
    # Pointer from the centre towards the upper left, as a thick segment.
    along = (-kx - ky) / math.sqrt(2)
    across = abs(kx - ky) / math.sqrt(2)
    if 0 <= along <= size * 0.19 and across <= max(size * 0.04, 0.7):
        return DIAL
    return BODY


def pixel(size, px, py):
    """Averages SUPERSAMPLE^2 points of the pixel: (b, g, r, a)."""
    total, rgb = 0, [0, 0, 0]
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            col = colour_at(size, px + (sx + 0.5) / SUPERSAMPLE, py + (sy + 0.5) / SUPERSAMPLE)
            if col is not None:
                total += 1
                for i in range(3):
                    rgb[i] += col[i]
    if total == 0:
        return (0, 0, 0, 0)
    return (rgb[2] // total, rgb[1] // total, rgb[0] // total, 255 * total // SUPERSAMPLE ** 2)


def image(size):
    pixels = [[pixel(size, x, y) for x in range(size)] for y in range(size)]
    xor = b"".join(b"".join(struct.pack("4B", *p) for p in row) for row in reversed(pixels))
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):  # bottom-up, 1 = transparent
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
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
