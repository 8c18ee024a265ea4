#!/usr/bin/env python3
"""Draws the program's icon: an alarm clock, 48x48, 24 bits, one image.

Run it to rewrite zelbrin.ico beside this script; the build uses the file.
"""
import math
import os
import struct

SIZE = 48
BACKGROUND = None  # transparent through the AND mask
RIM = (40, 70, 180)
FACE = (250, 250, 240)
HAND = (30, 30, 30)
BELL = (220, 60, 50)


def pixel(x, y):
    cx, cy = 23.5, 25.5
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    # The two bells on top, left and right.
    for bx in (11.0, 36.0):
        if math.hypot(x - bx, y - 8.0) < 6.5 and y < 12:
            return BELL
    # Feet.
    if 40 <= y <= 45 and (9 <= x <= 13 or 34 <= x <= 38) and r > 18:
        return RIM
    if r <= 17.5:
        if r > 14.5:
            return RIM
        # Hour hand towards 10 o'clock, minute hand to 12.
        if abs(dx) < 1.3 and -12 < dy <= 0:
            return HAND
        along = (-dx * 0.8 - dy * 0.6)
        across = abs(-dx * 0.6 + dy * 0.8)
        if 0 <= along < 8.5 and across < 1.4:
            return HAND
        return FACE
    return BACKGROUND


def build():
    rows_xor = []
    rows_and = []
    for y in range(SIZE - 1, -1, -1):  # bitmaps are stored bottom-up
        xor = bytearray()
        mask_bits = 0
        for x in range(SIZE):
            colour = pixel(x, y)
            if colour is None:
                xor += b"\x00\x00\x00"
                mask_bits |= 1 << (SIZE - 1 - x)
            else:
                r, g, b = colour
                xor += bytes((b, g, r))
        rows_xor.append(bytes(xor))
        mask = mask_bits.to_bytes(SIZE // 8, "big")
        rows_and.append(mask + b"\x00" * ((4 - len(mask) % 4) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(rows_xor) + b"".join(rows_and)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "zelbrin.ico")
    with open(target, "wb") as f:
        f.write(build())
