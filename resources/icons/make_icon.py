#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's 32 x 32 icon and writes it as binrot.png, binrot.ico and binrot.svg;
with "site FOLDER", writes the web site's icons in FOLDER, the drawing scaled by whole pixels.

The picture: the digits 101 with an arrow that carries the first digit round to the end,
a left rotation. The SVG is the same drawing in rectangles, one path a colour, so that it stays
sharp at any size and small enough to go inside the page. Run it again after changing the drawing; the outputs are
committed.
"""
import os
import struct
import sys
import zlib

SIZE = 32
BACKGROUND = (0xC0, 0xC0, 0xFF, 0xFF)
BORDER = (0x50, 0x50, 0xA0, 0xFF)
DIGIT = (0x20, 0x20, 0x60, 0xFF)
ARROW = (0xE0, 0x60, 0x20, 0xFF)
CLEAR = (0, 0, 0, 0)

FONT = {
    "0": ["111", "101", "101", "101", "111"],
    "1": ["010", "110", "010", "010", "111"],
}


def draw():
    pixels = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour

    # Rounded square with a one-pixel border.
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            dx = max(4 - x, x - (SIZE - 5), 0)
            dy = max(4 - y, y - (SIZE - 5), 0)
            distance = dx * dx + dy * dy
            if distance <= 9:
                put(x, y, BORDER if distance > 4 or x in (1, SIZE - 2) or y in (1, SIZE - 2) else BACKGROUND)

    # "101" in a 3 x 5 font, doubled.
    for index, digit in enumerate("101"):
        left = 6 + index * 7
        for row, bits in enumerate(FONT[digit]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    for sy in range(2):
                        for sx in range(2):
                            put(left + column * 2 + sx, 5 + row * 2 + sy, DIGIT)

    # The arrow: down from the first digit, along the bottom, up to the end, with a head.
    for y in range(17, 26):
        put(8, y, ARROW)
        put(9, y, ARROW)
    for x in range(8, 25):
        put(x, 24, ARROW)
        put(x, 25, ARROW)
    for y in range(19, 26):
        put(23, y, ARROW)
        put(24, y, ARROW)
    for step in range(4):
        for x in range(23 - step, 25 + step + 1):
            put(x, 16 + step, ARROW)
    return pixels


def scaled(pixels, scale, size, background):
    """The drawing scale times larger, centred on a size x size square of background."""
    canvas = [[background] * size for _ in range(size)]
    margin = (size - SIZE * scale) // 2
    for y in range(SIZE * scale):
        for x in range(SIZE * scale):
            colour = pixels[y // scale][x // scale]
            if colour[3]:
                canvas[margin + y][margin + x] = colour
    return canvas


def png(pixels):
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(image):
    # One PNG-compressed entry, which Windows reads since Vista.
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def svg(pixels):
    # Runs of one colour in a row, each grown down over the rows below that repeat it.
    rects = []
    below = {}
    for y, row in enumerate(pixels + [[None] * SIZE]):
        runs = {}
        x = 0
        while x < SIZE:
            colour = row[x]
            end = x
            while end < SIZE and row[end] == colour:
                end += 1
            if colour and colour[3]:
                runs[(x, end - x, colour)] = below.pop((x, end - x, colour), y)
            x = end
        rects += [(x, top, width, y - top, colour) for (x, width, colour), top in below.items()]
        below = runs
    paths = {}
    for x, y, width, height, colour in sorted(rects, key=lambda r: (r[1], r[0])):
        paths.setdefault(colour[:3], []).append("M%d %dh%dv%dH%dz" % (x, y, width, height, x))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d"'
            ' shape-rendering="crispEdges">\n%s\n</svg>\n'
            % (SIZE, SIZE, SIZE, SIZE,
               "\n".join('<path fill="#%02x%02x%02x" d="%s"/>' % (colour + ("".join(d),))
                         for colour, d in paths.items())))


# The site's icons: the home-screen icon, a maskable one whose drawing stays inside the circle
# that any mask keeps, and an iPhone's, which must not be transparent.
SITE_ICONS = {
    "icon-192.png": (6, 192, CLEAR),
    "icon-512.png": (10, 512, BACKGROUND),
    "apple-touch-icon.png": (5, 180, BACKGROUND),
}


def write_site_icons(folder):
    for name, (scale, size, background) in SITE_ICONS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(png(scaled(draw(), scale, size, background)))


if __name__ == "__main__" and sys.argv[1:2] == ["site"]:
    write_site_icons(sys.argv[2])
elif __name__ == "__main__":
    image = png(draw())
    with open("binrot.png", "wb") as f:
        f.write(image)
    with open("binrot.ico", "wb") as f:
        f.write(ico(image))
    with open("binrot.svg", "w") as f:
        f.write(svg(draw()))
