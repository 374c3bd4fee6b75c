#!/usr/bin/env python3
"""Draws the sprite_walk pictures (a walking figure in four directions and
three kinds of map cell) as PNG files, with the frame lists vtlsprite reads.
Run it from this folder; the build packs what it writes."""
import math
import struct
import zlib


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


CLEAR = (0, 0, 0, 0)
SKIN = (240, 200, 160, 255)
HAIR = (90, 50, 20, 255)
SHIRT = (200, 40, 40, 255)
TROUSERS = (40, 60, 160, 255)
BOOTS = (50, 30, 20, 255)


def hero(direction, step):
    """16 x 24; direction 0 down, 1 left, 2 right, 3 up; step 0..3 of a walk."""
    w, h = 16, 24
    img = [[CLEAR] * w for _ in range(h)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(h, y1)):
            for x in range(max(0, x0), min(w, x1)):
                img[y][x] = colour

    # A soft shadow under the feet: level pixels.
    for y in range(20, 24):
        for x in range(2, 14):
            d = ((x - 7.5) / 6) ** 2 + ((y - 22) / 2) ** 2
            if d < 1:
                img[y][x] = (0, 0, 0, int(140 * (1 - d)))
    swing = [0, 2, 0, -2][step]
    bob = 1 if step in (1, 3) else 0
    rect(5, 1 + bob, 11, 7 + bob, SKIN)           # head
    rect(5, 0 + bob, 11, 2 + bob, HAIR)
    if direction == 3:
        rect(5, 1 + bob, 11, 6 + bob, HAIR)        # back of the head
    elif direction == 0:
        img[4 + bob][6] = img[4 + bob][9] = (20, 20, 20, 255)
    elif direction == 1:
        img[4 + bob][6] = (20, 20, 20, 255)
    else:
        img[4 + bob][9] = (20, 20, 20, 255)
    rect(4, 7 + bob, 12, 14 + bob, SHIRT)          # body
    rect(2, 8 + bob + max(0, swing), 4, 13 + bob, SKIN)     # arms
    rect(12, 8 + bob + max(0, -swing), 14, 13 + bob, SKIN)
    rect(5, 14 + bob, 8, 20 - max(0, swing), TROUSERS)      # legs
    rect(8, 14 + bob, 11, 20 - max(0, -swing), TROUSERS)
    rect(5, 20 - max(0, swing), 8, 22 - max(0, swing), BOOTS)
    rect(8, 20 - max(0, -swing), 11, 22 - max(0, -swing), BOOTS)
    return w, h, img


def cell(kind, phase):
    w = h = 16
    img = []
    for y in range(h):
        row = []
        for x in range(w):
            if kind == "grass":
                g = 120 + ((x * 7 + y * 13) % 5) * 12
                row.append((40, g, 40, 255))
            elif kind == "water":
                wave = math.sin((x + phase * 4) / 16 * 2 * math.pi + y / 3)
                row.append((30, int(90 + 30 * wave), int(200 + 40 * wave), 255))
            else:  # flowers swaying on grass
                g = 120 + ((x * 7 + y * 13) % 5) * 12
                colour = (40, g, 40, 255)
                for fx, fy in ((4, 4), (11, 7), (6, 12)):
                    sx = fx + (1 if phase else 0)
                    if abs(x - sx) + abs(y - fy) <= 1:
                        colour = (250, 220, 40, 255) if (x, y) == (sx, fy) else (230, 80, 160, 255)
                row.append(colour)
        img.append(row)
    return w, h, img


def main():
    with open("hero.txt", "w") as lst:
        lst.write("# action direction picture: action 0 stands, action 1 walks\n")
        for d in range(4):
            write_png(f"hero_{d}_stand.png", *hero(d, 0))
            lst.write(f"0 {d} hero_{d}_stand.png\n")
            for s in range(4):
                write_png(f"hero_{d}_{s}.png", *hero(d, s))
                lst.write(f"1 {d} hero_{d}_{s}.png\n")
    for kind, frames in (("grass", 1), ("water", 4), ("flowers", 2)):
        with open(f"{kind}.txt", "w") as lst:
            lst.write("# type secondary picture: a map cell's frames, played in turn\n")
            for p in range(frames):
                write_png(f"{kind}_{p}.png", *cell(kind, p))
                lst.write(f"{p} 0 {kind}_{p}.png\n")


main()
