#!/usr/bin/env python3
"""Draws Quellon's two tray icons (16, 20, 24 and 32 pixels square, 32-bit
with alpha, so that the tray finds its size at 100, 125, 150 and 200 % DPI) into
res/normal.ico and res/flash.ico. The .ico files are committed; run this only
to change the pictures.

The picture is a small remote control seen from the front, sending a beam.
Normal: a dark remote with a dim beam. Flash: the same remote lit up amber
with a bright white beam, so a key press is visible at a glance."""
import struct
import sys


SIZES = (16, 20, 24, 32)


def draw(size, flash):
    s = size / 16.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c

    body = (255, 176, 32, 255) if flash else (58, 64, 76, 255)
    edge = (160, 90, 0, 255) if flash else (20, 22, 28, 255)
    key = (255, 255, 255, 255) if flash else (150, 160, 176, 255)
    red = (220, 30, 30, 255)
    beam = (255, 255, 255, 255) if flash else (90, 170, 255, 170)

    rect(4, 5, 12, 16, edge)           # remote outline
    rect(5, 6, 11, 16, body)           # remote body
    rect(6, 7, 8, 9, red)              # power key
    for y in (10, 12, 14):             # two columns of keys
        rect(6, y, 7.5, y + 1, key)
        rect(8.5, y, 10, y + 1, key)
    rect(7, 4, 9, 5, edge)             # infrared window
    rect(5, 2, 7, 3, beam)             # beam, fanning upwards
    rect(9, 2, 11, 3, beam)
    rect(7, 0, 9, 2, beam)
    if flash:
        rect(3, 0, 5, 1, beam)
        rect(11, 0, 13, 1, beam)
    return px


def ico_image(size, px):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(struct.pack('<BBBB', b, g, r, a)
                   for row in reversed(px) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    andmask = b''
    for row in reversed(px):
        bits = 0
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        andmask += bytes(line)
    return header + xor + andmask


def write_ico(path, flash):
    images = [ico_image(n, draw(n, flash)) for n in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    write_ico(root + '/res/normal.ico', False)
    write_ico(root + '/res/flash.ico', True)
