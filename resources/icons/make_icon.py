#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon and writes it as binrot.png and binrot.svg (32 x 32) and binrot.ico
(every size Windows asks for);
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


def draw(size=SIZE):
    """The icon at size x size pixels. The drawing is made for 32; at any other size each part
    keeps whole pixels: its place scaled, its strokes a whole number of pixels, none thinner
    than one, and the digits apart."""
    pixels = [[CLEAR] * size for _ in range(size)]

    def at(place):  # a place in the drawing for 32, at this size
        return (place * size + SIZE // 2) // SIZE

    def fill(left, top, right, bottom, colour):
        for row in pixels[top:bottom]:
            row[left:right] = [colour] * (right - left)

    line = max(1, size // SIZE)  # the border
    stroke = max(1, 2 * size // SIZE)  # the digits' pixels and the arrow

    # Rounded square with a border.
    edge, centre = at(1), at(4)
    outer, inner = centre - edge, centre - edge - line
    for y in range(edge, size - edge):
        for x in range(edge, size - edge):
            dx = max(centre - x, x - (size - 1 - centre), 0)
            dy = max(centre - y, y - (size - 1 - centre), 0)
            distance = dx * dx + dy * dy
            if distance <= outer * outer:
                rim = (distance > inner * inner or min(x, y) < edge + line
                       or max(x, y) > size - 1 - edge - line)
                pixels[y][x] = BORDER if rim else BACKGROUND

    # "101" in a 3 x 5 font, centred, one font pixel a stroke.
    pitch = max(3 * stroke + 1, at(7))
    first = (size - 2 * pitch - 3 * stroke) // 2
    top = at(5)
    for index, digit in enumerate("101"):
        for row, bits in enumerate(FONT[digit]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    x, y = first + index * pitch + column * stroke, top + row * stroke
                    fill(x, y, x + stroke, y + stroke, DIGIT)

    # The arrow: down from the first digit's middle, along the bottom, up past the last one's,
    # with a head.
    left, right = first + stroke, first + 2 * pitch + stroke + stroke // 2
    bottom, head = at(24), at(16)
    fill(left, at(17), left + stroke, bottom + stroke, ARROW)
    fill(left, bottom, right + stroke, bottom + stroke, ARROW)
    fill(right, head + 2 * stroke - 1, right + stroke, bottom + stroke, ARROW)
    for step in range(2 * stroke):
        fill(right - step, head + step, right + stroke + step + 1, head + step + 1, ARROW)
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


# Every size Windows asks for: 16 to 64 for 100 to 200 % display scale, 256 for Explorer.
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def bitmap(pixels):
    """An image as every Windows reads it in an icon: 32-bit, bottom row first, followed by the
    1-bit mask of its transparent pixels."""
    size = len(pixels)
    rows = list(reversed(pixels))
    colours = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in rows for p in row)
    mask_bytes = (size + 31) // 32 * 4
    mask = b"".join(
        sum((p[3] == 0) << (x // 8 * 8 + 7 - x % 8) for x, p in enumerate(row)).to_bytes(mask_bytes, "little")
        for row in rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def ico():
    # 256 as PNG, which Windows reads since Vista, and which keeps it small.
    images = [png(draw(size)) if size == 256 else bitmap(draw(size)) for size in ICO_SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for size, image in zip(ICO_SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


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
        f.write(ico())
    with open("binrot.svg", "w") as f:
        f.write(svg(draw()))
