#!/usr/bin/env python3
"""Writes the programs' images: the tutor's toolbar strip and two icons into resources/, the
installer's icon into setup/.

    python3 tools/make_resource_images.py [output folder for all of them]

The generated files are committed; the build only reads them. Run this again after changing
a picture below and commit the results.

  toolbar.bmp    bitmap 300: 8 images of 16 x 15 pixels side by side (128 x 15), 4 bits per
                 pixel with the standard 16-colour palette; light grey is the background, which
                 the toolbar shows as the button face. The toolbar at 100 %.
  toolbar_large.bmp  bitmap 301: the same 8 pictures drawn at 32 x 30 (200 %) with smooth
                 edges on the light grey background, 8 bits with a palette of the colours they
                 use; above 100 % the tutor scales it down once to the display's size (one strip
                 is smaller than a strip drawn for every scale).
  keyfarer.ico   icon 201, the program: a key cap with a "K".
  stats.ico      icon 203, the detailed statistics window: a small bar chart.
  quillsetup.ico icon 100, the installer: the key cap with a green arrow pointing down.
Icons hold 16, 20, 24, 32, 48 and 256 pixel images, 32-bit with alpha and a matching AND mask;
the 48 and 256 pixel images are PNG-compressed. Python standard library only.
"""

import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------------------------
# Toolbar strip: pixel art, one character per pixel, colours of the standard 16-colour palette.

PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# '.' is the background (light grey, index 7).
PIXEL_INDEX = {
    'K': 0,   # black
    'r': 1,   # maroon
    'g': 2,   # green
    'o': 3,   # olive
    'n': 4,   # navy
    't': 6,   # teal
    '.': 7,   # light grey: background
    's': 7,   # light grey inside a picture
    'd': 8,   # grey
    'R': 9,   # red
    'G': 10,  # lime
    'Y': 11,  # yellow
    'B': 12,  # blue
    'C': 14,  # aqua
    'W': 15,  # white
}

TOOL_W, TOOL_H = 16, 15

TOOLBAR_IMAGES = [
    # 0 open folder
    [
        "................",
        "................",
        ".KKKK...........",
        "KYWWYK..........",
        "KWYYYYKKKKKKK...",
        "KWoooooooooooK..",
        "KWoooooooooooK..",
        "KWooKKKKKKKKKKKK",
        "KWoKYYYYYYYYYYK.",
        "KWoKYYYYYYYYYYK.",
        "KWKYYYYYYYYYYK..",
        "KWKYYYYYYYYYYK..",
        "KKYYYYYYYYYYK...",
        "KKKKKKKKKKKKK...",
        "................",
    ],
    # 1 green check mark
    [
        "................",
        "..............g.",
        ".............gg.",
        "............ggg.",
        "...........ggg..",
        "..........ggg...",
        ".g.......ggg....",
        ".gg.....ggg.....",
        ".ggg...ggg......",
        "..ggg.ggg.......",
        "...ggggg........",
        "....ggg.........",
        ".....g..........",
        "................",
        "................",
    ],
    # 2 loudspeaker with sound waves
    [
        "................",
        "......K.........",
        ".....KK.....K...",
        "....KWK...K..K..",
        "...KWWK....K..K.",
        "KKKWWWK.K..K..K.",
        "KddWWWK..K..K.K.",
        "KddWWWK..K..K.K.",
        "KddWWdK..K..K.K.",
        "KKKWddK.K..K..K.",
        "...KWdK....K..K.",
        "....KdK...K..K..",
        ".....KK.....K...",
        "......K.........",
        "................",
    ],
    # 3 blank page
    [
        "..KKKKKKKK......",
        "..KWWWWWWKK.....",
        "..KWWWWWWKWK....",
        "..KWWWWWWKWWK...",
        "..KWWWWWWKKKKK..",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KWWWWWWWWWWKd.",
        "..KKKKKKKKKKKKd.",
        "...dddddddddddd.",
    ],
    # 4 yellow disc
    [
        "................",
        ".....oooooo.....",
        "...ooYYYYYYoo...",
        "..oYWWYYYYYYYo..",
        "..oYWYYYYYYYYo..",
        ".oYYYYYYYYYYYYo.",
        ".oYYYYYYYYYYYYo.",
        ".oYYYYYYYYYYYYo.",
        ".oYYYYYYYYYYYYo.",
        ".oYYYYYYYYYYYoo.",
        "..oYYYYYYYYYYo..",
        "..ooYYYYYYYYoo..",
        "...ooYYYYYYoo...",
        ".....oooooo.....",
        "................",
    ],
    # 5 red no-entry sign
    [
        "................",
        ".....rrrrrr.....",
        "...rrRRRRRRrr...",
        "..rRRRRRRRRRRr..",
        "..rRRRRRRRRRRr..",
        ".rRRRRRRRRRRRRr.",
        ".rRWWWWWWWWWWRr.",
        ".rRWWWWWWWWWWRr.",
        ".rRWWWWWWWWWWRr.",
        ".rRRRRRRRRRRRRr.",
        "..rRRRRRRRRRRr..",
        "..rRRRRRRRRRRr..",
        "...rrRRRRRRrr...",
        ".....rrrrrr.....",
        "................",
    ],
    # 6 green square with a white triangle (play)
    [
        "................",
        ".KKKKKKKKKKKKKK.",
        ".KggggggggggggK.",
        ".KggWgggggggggK.",
        ".KggWWggggggggK.",
        ".KggWWWWggggggK.",
        ".KggWWWWWWggggK.",
        ".KggWWWWWWWWggK.",
        ".KggWWWWWWggggK.",
        ".KggWWWWggggggK.",
        ".KggWWggggggggK.",
        ".KggWgggggggggK.",
        ".KggggggggggggK.",
        ".KKKKKKKKKKKKKK.",
        "................",
    ],
    # 7 greyed loudspeaker (alert off): made from image 2 below
    None,
]


def greyed(image, columns):
    """The usual disabled look: the shape in grey with a white relief one pixel down-right.
    Only the first `columns` columns are taken (the speaker without its waves)."""
    shape = {(x, y) for y, row in enumerate(image) for x, ch in enumerate(row[:columns]) if ch != '.'}
    rows = []
    for y in range(TOOL_H):
        row = ""
        for x in range(TOOL_W):
            if (x, y) in shape:
                row += 'd'
            elif (x - 1, y - 1) in shape:
                row += 'W'
            else:
                row += '.'
        rows.append(row)
    return rows


TOOLBAR_IMAGES[7] = greyed(TOOLBAR_IMAGES[2], 7)


def check_toolbar_images():
    assert len(TOOLBAR_IMAGES) == 8
    for n, image in enumerate(TOOLBAR_IMAGES):
        assert len(image) == TOOL_H, f"image {n}: {len(image)} rows"
        for row in image:
            assert len(row) == TOOL_W, f"image {n}: row {row!r}"
            for ch in row:
                assert ch in PIXEL_INDEX, f"image {n}: unknown pixel {ch!r}"


def toolbar_bmp():
    """The strip as a 4-bit BMP file (bottom-up rows, 16-colour palette)."""
    check_toolbar_images()
    width = TOOL_W * len(TOOLBAR_IMAGES)
    height = TOOL_H
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        indexes = []
        for image in TOOLBAR_IMAGES:
            indexes.extend(PIXEL_INDEX[ch] for ch in image[y])
        data = bytearray()
        for x in range(0, width, 2):
            data.append((indexes[x] << 4) | indexes[x + 1])
        data.extend(b"\0" * (stride - len(data)))
        rows.append(bytes(data))
    pixels = b"".join(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


# ---------------------------------------------------------------------------------------------
# Icons: shapes drawn with 4 x 4 supersampling into RGBA, so the edges are smooth.

SUPER = 4


class Canvas:
    def __init__(self, size):
        self.size = size
        self.n = size * SUPER
        self.px = [[None] * self.n for _ in range(self.n)]  # (r, g, b) or None (transparent)

    def fill(self, inside, colour):
        """Paints every sample whose centre (in icon pixels) satisfies inside(x, y)."""
        for sy in range(self.n):
            y = (sy + 0.5) / SUPER
            row = self.px[sy]
            for sx in range(self.n):
                if inside((sx + 0.5) / SUPER, y):
                    row[sx] = colour

    def rgba(self):
        """Averages the samples; returns rows top-down of (r, g, b, a)."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r = g = b = count = 0
                for sy in range(y * SUPER, (y + 1) * SUPER):
                    for sx in range(x * SUPER, (x + 1) * SUPER):
                        c = self.px[sy][sx]
                        if c is not None:
                            r += c[0]
                            g += c[1]
                            b += c[2]
                            count += 1
                if count == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((r // count, g // count, b // count, 255 * count // (SUPER * SUPER)))
            out.append(row)
        return out


def round_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def segment(ax, ay, bx, by, half_width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2
    return inside


def any_of(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


KEY_CAP_COLOURS = {
    'O': (60, 64, 72),     # outline
    'S': (150, 156, 168),  # skirt
    'R': (110, 116, 128),  # rim of the top face
    'F': (238, 240, 245),  # top face
    'B': (20, 50, 140),    # the letter
}

# At 16 x 16 smooth diagonals blur the letter: drawn pixel by pixel instead.
KEY_CAP_16 = [
    ".OOOOOOOOOOOOOO.",
    "OSSSSSSSSSSSSSSO",
    "OSRRRRRRRRRRRRSO",
    "OSRFFFFFFFFFFRSO",
    "OSRFBBFFFBBFFRSO",
    "OSRFBBFFBBFFFRSO",
    "OSRFBBFBBFFFFRSO",
    "OSRFBBBBFFFFFRSO",
    "OSRFBBFBBFFFFRSO",
    "OSRFBBFFBBFFFRSO",
    "OSRFBBFFFBBFFRSO",
    "OSRFFFFFFFFFFRSO",
    "OSRRRRRRRRRRRRSO",
    "OSSSSSSSSSSSSSSO",
    "OSSSSSSSSSSSSSSO",
    ".OOOOOOOOOOOOOO.",
]


def pixel_art(rows, colours):
    return [[colours[ch] + (255,) if ch in colours else (0, 0, 0, 0) for ch in row] for row in rows]


def key_cap_icon(size):
    """A light key cap seen from above, with a dark blue "K" on its top face."""
    if size == 16:
        return pixel_art(KEY_CAP_16, KEY_CAP_COLOURS)
    k = size / 32.0
    c = Canvas(size)
    c.fill(round_rect(1 * k, 1.5 * k, 31 * k, 31 * k, 5 * k), KEY_CAP_COLOURS['O'])
    c.fill(round_rect(2.2 * k, 2.7 * k, 29.8 * k, 29.8 * k, 4 * k), KEY_CAP_COLOURS['S'])
    c.fill(round_rect(5 * k, 3.5 * k, 27 * k, 24.5 * k, 3.5 * k), KEY_CAP_COLOURS['R'])
    c.fill(round_rect(5.8 * k, 4.2 * k, 26.2 * k, 23.7 * k, 3 * k), KEY_CAP_COLOURS['F'])
    w = 2.1 * k
    c.fill(any_of(segment(11 * k, 7.5 * k, 11 * k, 20.5 * k, w),
                  segment(12 * k, 15 * k, 20.5 * k, 7.5 * k, w),
                  segment(14 * k, 13.2 * k, 21 * k, 20.5 * k, w)), KEY_CAP_COLOURS['B'])
    return c.rgba()


def bar_chart_icon(size):
    """Three coloured bars standing on an axis, on a white card. Edges lie on even
    coordinates so that the 16 x 16 picture stays sharp."""
    k = size / 32.0
    c = Canvas(size)
    c.fill(round_rect(0 * k, 0 * k, 32 * k, 32 * k, 4 * k), (70, 70, 80))
    c.fill(round_rect(2 * k, 2 * k, 30 * k, 30 * k, 2 * k), (255, 255, 255))
    c.fill(rect(8 * k, 16 * k, 12 * k, 26 * k), (40, 90, 200))    # blue bar
    c.fill(rect(14 * k, 6 * k, 20 * k, 26 * k), (30, 150, 60))    # green bar
    c.fill(rect(22 * k, 10 * k, 26 * k, 26 * k), (210, 50, 40))   # red bar
    c.fill(any_of(rect(4 * k, 4 * k, 6 * k, 28 * k),              # axes
                  rect(4 * k, 26 * k, 28 * k, 28 * k)), (30, 30, 30))
    return c.rgba()


ARROW_GREEN = (40, 160, 60)
ARROW_OUTLINE = (20, 80, 30)


def polygon(points):
    """Inside test of a polygon given by its corners (ray casting)."""
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def over(base, top):
    """Alpha-composites RGBA picture `top` onto `base` (same size)."""
    out = []
    for brow, trow in zip(base, top):
        row = []
        for (br, bg, bb, ba), (tr, tg, tb, ta) in zip(brow, trow):
            a = ta + ba * (255 - ta) // 255
            if a == 0:
                row.append((0, 0, 0, 0))
                continue
            mix = lambda t, b: (t * ta + b * ba * (255 - ta) // 255) // a
            row.append((mix(tr, br), mix(tg, bg), mix(tb, bb), a))
        out.append(row)
    return out


def arrow_16():
    """A 16 x 16 overlay: a green arrow pointing down in the lower right, outlined."""
    arrow = set()
    for y in range(5, 10):
        arrow |= {(11, y), (12, y)}
    for y, (x0, x1) in zip(range(10, 14), ((8, 15), (9, 14), (10, 13), (11, 12))):
        arrow |= {(x, y) for x in range(x0, x1 + 1)}
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            if (x, y) in arrow:
                row.append(ARROW_GREEN + (255,))
            elif any((x + dx, y + dy) in arrow for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                row.append(ARROW_OUTLINE + (255,))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def setup_icon(size):
    """The installer: the tutor's key cap with a green arrow pointing down, into the machine."""
    if size == 16:
        return over(key_cap_icon(16), arrow_16())
    k = size / 32.0
    shape = polygon([(20 * k, 10 * k), (27 * k, 10 * k), (27 * k, 20 * k), (31 * k, 20 * k),
                     (23.5 * k, 30 * k), (16 * k, 20 * k), (20 * k, 20 * k)])
    ring = [(dx * 1.3 * k, dy * 1.3 * k) for dx in (-1, 0, 1) for dy in (-1, 0, 1)]
    c = Canvas(size)
    c.fill(any_of(*[(lambda dx, dy: lambda x, y: shape(x - dx, y - dy))(dx, dy) for dx, dy in ring]),
           ARROW_OUTLINE)
    c.fill(shape, ARROW_GREEN)
    return over(key_cap_icon(size), c.rgba())


def icon_image(pixels):
    """One icon directory image: BITMAPINFOHEADER, 32-bit colours bottom-up, AND mask."""
    size = len(pixels)
    colours = bytearray()
    for row in reversed(pixels):
        for (r, g, b, a) in row:
            colours += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return info + bytes(colours) + bytes(mask)


# ---------------------------------------------------------------------------------------------
# The toolbar's pictures drawn as shapes, for the strip above 100 %: the same eight pictures as
# the pixel art, on a grid of 16 x 15 units.

LARGE_W, LARGE_H = 32, 30


def ring_part(cx, cy, r0, r1, right_of):
    """The part of a ring between radii r0 and r1 right of x = right_of (a sound wave)."""
    return lambda x, y: x > right_of and r0 ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 ** 2


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r ** 2


def outlined(c, shape, inner, outline, fill):
    c.fill(shape, outline)
    c.fill(inner, fill)


def loudspeaker(c, u, body, outline, waves):
    cone = polygon([(0.5 * u, 5 * u), (3.5 * u, 5 * u), (7 * u, 1.5 * u), (7 * u, 13.5 * u), (3.5 * u, 10 * u),
                    (0.5 * u, 10 * u)])
    inner = polygon([(1.3 * u, 5.8 * u), (3.8 * u, 5.8 * u), (6.2 * u, 3.4 * u), (6.2 * u, 11.6 * u),
                     (3.8 * u, 9.2 * u), (1.3 * u, 9.2 * u)])
    outlined(c, cone, inner, outline, body)
    if waves:
        c.fill(any_of(ring_part(7 * u, 7.5 * u, 2.3 * u, 3.1 * u, 8 * u),
                      ring_part(7 * u, 7.5 * u, 4.6 * u, 5.4 * u, 8.5 * u),
                      ring_part(7 * u, 7.5 * u, 6.9 * u, 7.7 * u, 9 * u)), waves)


def tool_picture(n, size):
    """Toolbar image n (the numbering of the pixel art) drawn on a square canvas of `size`."""
    u = size / 16.0
    c = Canvas(size)
    black, white = (0, 0, 0), (255, 255, 255)
    if n == 0:  # open folder
        c.fill(polygon([(0.5 * u, 2.5 * u), (4.5 * u, 2.5 * u), (5.5 * u, 4 * u), (13 * u, 4 * u), (13 * u, 13.5 * u),
                        (0.5 * u, 13.5 * u)]), black)
        c.fill(polygon([(1.3 * u, 3.3 * u), (4.1 * u, 3.3 * u), (5.1 * u, 4.8 * u), (12.2 * u, 4.8 * u),
                        (12.2 * u, 12.7 * u), (1.3 * u, 12.7 * u)]), (128, 128, 0))
        outlined(c, polygon([(3 * u, 7 * u), (15.8 * u, 7 * u), (12.8 * u, 13.5 * u), (0.5 * u, 13.5 * u)]),
                 polygon([(3.6 * u, 7.8 * u), (14.6 * u, 7.8 * u), (12.3 * u, 12.7 * u), (1.7 * u, 12.7 * u)]),
                 black, (255, 255, 0))
    elif n == 1:  # green check mark
        c.fill(any_of(segment(1.5 * u, 7 * u, 5.5 * u, 11.5 * u, 1.2 * u),
                      segment(5.5 * u, 11.5 * u, 14.5 * u, 2 * u, 1.2 * u)), (0, 128, 0))
    elif n in (2, 7):  # loudspeaker with sound, or greyed
        if n == 2:
            loudspeaker(c, u, (128, 128, 128), black, black)
        else:
            loudspeaker(c, u, white, (128, 128, 128), (128, 128, 128))
    elif n == 3:  # blank page
        page = polygon([(2.5 * u, 0.3 * u), (10 * u, 0.3 * u), (13.7 * u, 4 * u), (13.7 * u, 14 * u), (2.5 * u, 14 * u)])
        inner = polygon([(3.3 * u, 1.1 * u), (9.6 * u, 1.1 * u), (12.9 * u, 4.4 * u), (12.9 * u, 13.2 * u),
                         (3.3 * u, 13.2 * u)])
        outlined(c, page, inner, black, white)
        c.fill(polygon([(9.6 * u, 1.1 * u), (9.6 * u, 4.4 * u), (12.9 * u, 4.4 * u)]), black)
    elif n == 4:  # yellow disc
        outlined(c, disc(8 * u, 7.5 * u, 6.8 * u), disc(8 * u, 7.5 * u, 6 * u), (128, 128, 0), (255, 255, 0))
        c.fill(disc(5.5 * u, 4.8 * u, 1.2 * u), white)
    elif n == 5:  # red no-entry sign
        outlined(c, disc(8 * u, 7.5 * u, 6.8 * u), disc(8 * u, 7.5 * u, 6 * u), (128, 0, 0), (255, 0, 0))
        c.fill(rect(3.5 * u, 6.2 * u, 12.5 * u, 8.8 * u), white)
    elif n == 6:  # green square with a white triangle
        outlined(c, round_rect(1 * u, 0.5 * u, 15 * u, 14.5 * u, 1.5 * u),
                 round_rect(1.8 * u, 1.3 * u, 14.2 * u, 13.7 * u, 1 * u), (0, 96, 0), (0, 160, 0))
        c.fill(polygon([(5.5 * u, 3.5 * u), (12 * u, 7.5 * u), (5.5 * u, 11.5 * u)]), white)
    return c.rgba()


def toolbar_large_bmp():
    """The eight pictures at 32 x 30 side by side, laid on the light grey background, as an 8-bit
    BMP whose palette holds the most used colours (each pixel takes the nearest)."""
    grey = PALETTE16[PIXEL_INDEX['.']]
    images = [tool_picture(n, LARGE_W)[:LARGE_H] for n in range(8)]
    rows = []
    for y in range(LARGE_H):
        row = []
        for image in images:
            for (r, g, b, a) in image[y]:
                row.append(tuple((c * a + k * (255 - a)) // 255 for c, k in zip((r, g, b), grey)))
        rows.append(row)
    counts = {}
    for row in rows:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1
    # The background first, so that it keeps its exact colour (the tutor replaces it by the face).
    palette = [grey] + [c for c, _ in sorted(counts.items(), key=lambda kv: -kv[1]) if c != grey][:255]
    nearest = {}

    def index(colour):
        if colour not in nearest:
            nearest[colour] = min(range(len(palette)),
                                  key=lambda i: sum((p - q) ** 2 for p, q in zip(palette[i], colour)))
        return nearest[colour]
    width = LARGE_W * len(images)
    stride = (width + 3) // 4 * 4
    pixels = b"".join(bytes(index(c) for c in rows[y]) + b"\0" * (stride - width)
                      for y in range(LARGE_H - 1, -1, -1))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, LARGE_H, 1, 8, 0, len(pixels), 2835, 2835, len(palette),
                       len(palette))
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


def png_image(pixels):
    """A square RGBA picture as a PNG file (what an icon's 256 pixel entry may hold)."""
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


ICON_SIZES = (256, 48, 32, 24, 20, 16)


def ico_file(images):
    """An .ico file holding the given square RGBA images; those of 48 pixels and more as PNG."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    blobs = b""
    for pixels in images:
        size = len(pixels)
        blob = png_image(pixels) if size >= 48 else icon_image(pixels)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return header + entries + blobs


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print(f"wrote {path} ({len(data)} bytes)")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "resources"))
    write(os.path.join(out, "toolbar.bmp"), toolbar_bmp())
    write(os.path.join(out, "toolbar_large.bmp"), toolbar_large_bmp())
    write(os.path.join(out, "keyfarer.ico"), ico_file([key_cap_icon(n) for n in ICON_SIZES]))
    write(os.path.join(out, "stats.ico"), ico_file([bar_chart_icon(n) for n in ICON_SIZES]))
    setup = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "setup"))
    write(os.path.join(setup, "quillsetup.ico"), ico_file([setup_icon(n) for n in ICON_SIZES]))


if __name__ == "__main__":
    main()
