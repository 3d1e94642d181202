#!/usr/bin/env python3
"""Draws the program icon pictures into icons.png: a strip of 148 pictures of 12 x 12
pixels (RGBA), picture i at x = 12 * i.

Picture 107 is the default program picture, 110 the empty-slot picture and 19 stays
transparent (no icon uses it). The others combine a glyph (a small pictogram, a letter or a
digit), a style (tile, disc or outlined glyph) and a colour, each combination used once.

Usage: make_icons.py [OUTPUT.png [PREVIEW.png]]  (PREVIEW: the strip magnified, 12 a row)
Only the standard library is used, so the pictures can be redrawn anywhere.
"""

import os
import struct
import sys
import zlib

SIZE = 12
COUNT = 148
UNUSED = 19
DEFAULT_PROGRAM = 107
EMPTY_SLOT = 110

PALETTE = [
    (220, 60, 60), (240, 140, 40), (215, 175, 30), (70, 170, 80),
    (30, 160, 150), (50, 150, 220), (60, 90, 210), (110, 80, 200),
    (160, 70, 190), (220, 80, 150), (150, 100, 60), (90, 100, 125),
]

PICTOGRAMS = {
    "heart": [".##..##.", "########", "########", "########",
              ".######.", "..####..", "...##...", "........"],
    "star": ["...##...", "...##...", "..####..", "########",
             ".######.", "..####..", ".##..##.", ".#....#."],
    "note": ["....##..", "....###.", "....#.##", "....#..#",
             "....#...", ".####...", "#####...", ".###...."],
    "bell": ["...##...", "..####..", ".######.", ".######.",
             ".######.", "########", "........", "...##..."],
    "envelope": ["........", "########", "##....##", "#.#..#.#",
                 "#..##..#", "#......#", "########", "........"],
    "clock": ["..####..", ".#....#.", "#..#...#", "#..#...#",
              "#..###.#", "#......#", ".#....#.", "..####.."],
    "phone": ["##......", "###.....", ".##.....", ".##.....",
              "..##....", "..###.##", "...#####", "....###."],
    "camera": ["........", "..##....", "########", "#..##..#",
               "#.#..#.#", "#..##..#", "########", "........"],
    "sun": ["...##...", ".#....#.", "..####..", "#.####.#",
            "#.####.#", "..####..", ".#....#.", "...##..."],
    "moon": ["..####..", ".###....", "###.....", "###.....",
             "###.....", "###.....", ".###....", "..####.."],
    "lightning": ["....###.", "...###..", "..###...", ".######.",
                  "...###..", "..###...", ".##.....", "#......."],
    "key": ["..###...", ".#...#..", ".#...#..", "..###...",
            "...#....", "...###..", "...#....", "...##..."],
    "lock": ["..####..", ".#....#.", ".#....#.", "########",
             "###..###", "###..###", "####.###", "########"],
    "house": ["...##...", "..####..", ".######.", "########",
              ".#....#.", ".#.##.#.", ".#.##.#.", ".######."],
    "gear": ["...##...", ".######.", ".##..##.", "##....##",
             "##....##", ".##..##.", ".######.", "...##..."],
    "globe": ["..####..", ".#.##.#.", "#..##..#", "########",
              "#..##..#", "#..##..#", ".#.##.#.", "..####.."],
    "smile": ["..####..", ".######.", "##.##.##", "########",
              "#.####.#", "##....##", ".######.", "..####.."],
    "check": ["........", ".......#", "......##", "#....##.",
              "##..##..", ".####...", "..##....", "........"],
    "cross": ["##....##", "###..###", ".######.", "..####..",
              "..####..", ".######.", "###..###", "##....##"],
    "plus": ["...##...", "...##...", "...##...", "########",
             "########", "...##...", "...##...", "...##..."],
    "play": [".#......", ".##.....", ".###....", ".####...",
             ".####...", ".###....", ".##.....", ".#......"],
    "pause": ["........", ".##..##.", ".##..##.", ".##..##.",
              ".##..##.", ".##..##.", ".##..##.", "........"],
    "calendar": [".#....#.", "########", "#......#", "#.#.#..#",
                 "#......#", "#.#.#..#", "#......#", "########"],
    "battery": ["...##...", ".######.", ".#....#.", ".#....#.",
                ".######.", ".######.", ".######.", ".######."],
    "flag": ["##......", "#####...", "#######.", "######..",
             "####....", "#.......", "#.......", "#......."],
    "drop": ["...##...", "...##...", "..####..", ".######.",
             "########", "########", ".######.", "..####.."],
    "leaf": ["........", "......##", "...#####", "..######",
             ".######.", ".#####..", ".####...", "#......."],
    "diamond": ["...##...", "..####..", ".######.", "########",
                "########", ".######.", "..####..", "...##..."],
    "ring": ["..####..", ".######.", "###..###", "##....##",
             "##....##", "###..###", ".######.", "..####.."],
    "square": ["########", "########", "##....##", "##....##",
               "##....##", "##....##", "########", "########"],
    "triangle": ["...##...", "...##...", "..####..", "..####..",
                 ".######.", ".######.", "########", "########"],
    "magnifier": [".####...", "##..##..", "#....#..", "#....#..",
                  "##..##..", ".#####..", ".....##.", "......##"],
    "chat": [".######.", "########", "########", "########",
             ".######.", "..##....", ".#......", "........"],
    "notes": ["..######", "..######", "..#....#", "..#....#",
              "..#....#", "###..###", "###..###", "........"],
    "cup": ["########", "#.####.#", "#.####.#", ".######.",
            "..####..", "...##...", "..####..", ".######."],
    "folder": ["........", "###.....", "#####...", "########",
               "########", "########", "########", "........"],
    "pencil": ["......##", ".....###", "....###.", "...###..",
               "..###...", ".###....", "##......", "#......."],
    "cloud": ["........", "...###..", ".######.", "########",
              "########", ".######.", "........", "........"],
    "tree": ["...##...", "..####..", ".######.", "..####..",
             ".######.", "########", "...##...", "...##..."],
}

FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
}


def rotated(rows):
    """The pattern turned a quarter clockwise."""
    return ["".join(rows[len(rows) - 1 - r][c] for r in range(len(rows)))
            for c in range(len(rows[0]))]


def arrows():
    up = ["...##...", "..####..", ".######.", "########",
          "...##...", "...##...", "...##...", "...##..."]
    right = rotated(up)
    down = rotated(right)
    return {"arrow up": up, "arrow right": right, "arrow down": down,
            "arrow left": rotated(down)}


def glyph_mask(rows):
    """The set of (x, y) pixels of a pattern, centred in the picture."""
    top = (SIZE - len(rows)) // 2
    left = (SIZE - len(rows[0])) // 2
    return {(left + x, top + y)
            for y, row in enumerate(rows) for x, ch in enumerate(row) if ch == "#"}


def all_glyphs():
    patterns = list(PICTOGRAMS.values()) + list(arrows().values()) + list(FONT.values())
    return [glyph_mask(rows) for rows in patterns]


def scaled(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def lightened(colour, amount):
    return tuple(int(c + (255 - c) * amount) for c in colour)


def blank():
    return [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]


def shaded(colour, y):
    """A soft vertical gradient: light at the top, the colour itself at the bottom."""
    t = y / (SIZE - 1)
    top = lightened(colour, 0.35)
    return tuple(int(a + (b - a) * t) for a, b in zip(top, colour)) + (255,)


def draw_white_glyph(picture, mask, colour):
    shadow = scaled(colour, 0.7) + (255,)
    for x, y in mask:
        if (x + 1, y + 1) not in mask and x + 1 < SIZE and y + 1 < SIZE:
            if picture[y + 1][x + 1][3]:
                picture[y + 1][x + 1] = shadow
    for x, y in mask:
        picture[y][x] = (255, 255, 255, 255)


def tile(mask, colour):
    picture = blank()
    rim = scaled(colour, 0.6) + (255,)
    corners = {(0, 0), (SIZE - 1, 0), (0, SIZE - 1), (SIZE - 1, SIZE - 1)}
    for y in range(SIZE):
        for x in range(SIZE):
            if (x, y) in corners:
                continue
            edge = x in (0, SIZE - 1) or y in (0, SIZE - 1)
            picture[y][x] = rim if edge else shaded(colour, y)
    draw_white_glyph(picture, mask, colour)
    return picture


def disc(mask, colour):
    picture = blank()
    rim = scaled(colour, 0.6)
    centre = (SIZE - 1) / 2
    for y in range(SIZE):
        for x in range(SIZE):
            r = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if r <= 5.0:
                picture[y][x] = shaded(colour, y)
            elif r <= 5.8:
                picture[y][x] = rim + (255,)
            elif r <= 6.4:
                picture[y][x] = rim + (110,)
    draw_white_glyph(picture, mask, colour)
    return picture


def outlined(mask, colour):
    picture = blank()
    outline = scaled(colour, 0.45) + (255,)
    for x, y in mask:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                nx, ny = x + dx, y + dy
                if 0 <= nx < SIZE and 0 <= ny < SIZE and (nx, ny) not in mask:
                    picture[ny][nx] = outline
    for x, y in mask:
        picture[y][x] = shaded(colour, y)
    return picture


STYLES = [tile, disc, outlined]


def default_program():
    """A small program window: frame, blue title bar, white page with text lines."""
    picture = blank()
    frame = (70, 80, 100, 255)
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            edge = x in (1, SIZE - 2) or y in (1, SIZE - 2)
            if edge:
                picture[y][x] = frame
            elif y <= 3:
                picture[y][x] = shaded((40, 100, 210), y * 3)
            else:
                picture[y][x] = (250, 250, 250, 255)
    picture[2][8] = picture[2][9] = (255, 255, 255, 255)
    for y, length in ((5, 6), (7, 4), (9, 5)):
        for x in range(3, 3 + length):
            picture[y][x] = (150, 160, 180, 255)
    return picture


def empty_slot():
    """A dashed grey outline around nothing."""
    picture = blank()
    grey = (150, 150, 155, 255)
    border = [(x, 1) for x in range(2, 10)] + [(10, y) for y in range(2, 10)] + \
             [(x, 10) for x in range(9, 1, -1)] + [(1, y) for y in range(9, 1, -1)]
    for step, (x, y) in enumerate(border):
        if step % 3 != 2:
            picture[y][x] = grey
    picture[5][5] = picture[5][6] = picture[6][5] = picture[6][6] = (200, 200, 205, 255)
    return picture


def pictures():
    glyphs = all_glyphs()
    result = []
    k = 0
    for index in range(COUNT):
        if index == UNUSED:
            result.append(blank())
        elif index == DEFAULT_PROGRAM:
            result.append(default_program())
        elif index == EMPTY_SLOT:
            result.append(empty_slot())
        else:
            # A glyph comes back only after all others, in another style.
            glyph = glyphs[k % len(glyphs)]
            style = STYLES[(k + k // len(glyphs)) % len(STYLES)]
            colour = PALETTE[(k * 5) % len(PALETTE)]
            result.append(style(glyph, colour))
            k += 1
    return result


def write_png(path, rows):
    """rows: lists of (r, g, b, a); written as 8-bit RGBA without filtering."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + \
        chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def strip(all_pictures):
    return [[pixel for picture in all_pictures for pixel in picture[y]] for y in range(SIZE)]


def preview(all_pictures, scale=6, per_row=12):
    """The pictures magnified on a light background, for looking at them."""
    cell = SIZE * scale + 4
    lines = (len(all_pictures) + per_row - 1) // per_row
    canvas = [[(235, 235, 235, 255)] * (cell * per_row) for _ in range(cell * lines)]
    for index, picture in enumerate(all_pictures):
        ox, oy = (index % per_row) * cell + 2, (index // per_row) * cell + 2
        for y in range(SIZE * scale):
            for x in range(SIZE * scale):
                r, g, b, a = picture[y // scale][x // scale]
                bg = canvas[oy + y][ox + x]
                canvas[oy + y][ox + x] = tuple(
                    (c * a + d * (255 - a)) // 255 for c, d in zip((r, g, b), bg[:3])) + (255,)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "icons.png")
    all_pictures = pictures()
    write_png(output, strip(all_pictures))
    if len(sys.argv) > 2:
        write_png(sys.argv[2], preview(all_pictures))


if __name__ == "__main__":
    main()
