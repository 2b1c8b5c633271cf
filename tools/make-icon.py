#!/usr/bin/env python3
"""Writes a 32x32, 16-colour .ico: a document with a patched band.

Usage: make-icon.py OUTPUT [ACCENT]   (ACCENT: palette index 1-15 for the band)
"""
import struct
import sys

# A 16-colour palette as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def pixel(x, y, accent):
    if not (4 <= x <= 27 and 1 <= y <= 30):
        return None  # transparent
    if x in (4, 27) or y in (1, 30):
        return 0  # outline
    if 12 <= y <= 17:
        return accent  # the patched band
    if y % 4 == 0 and 7 <= x <= 24:
        return 8  # lines of text
    return 15


def main():
    out = sys.argv[1]
    accent = int(sys.argv[2]) if len(sys.argv) > 2 else 12
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(32)):  # bottom-up rows
        row = [pixel(x, y, accent) for x in range(32)]
        for x in range(0, 32, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack('>I', bits)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 22)
    with open(out, 'wb') as f:
        f.write(directory + image)


if __name__ == '__main__':
    main()
