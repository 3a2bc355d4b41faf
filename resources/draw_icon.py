#!/usr/bin/env python3
"""Draws the program's 32 x 32, 16-colour icon as XPM (and a Windows .ico),
and the same design as a vector drawing: an SVG and PNGs of the larger sizes.

A navy tile with a gold "0" beside a white "1" above a row of digit dots,
drawn pixel by pixel so the icon stays crisp at its native size, and in
outlines of the same 16 colours for the sizes where pixels would show.
Needs nothing but Python 3; run it in resources/ after a change.
"""
import math
import struct
import sys
import zlib

PALETTE = [  # the 16 colours of the classic VGA palette
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
TRANSPARENT = -1
LARGE_SIZES = (48, 64, 128, 256)
NAVY, TEAL, SILVER, GREY, YELLOW, BLUE, CYAN, WHITE, BLACK = 4, 6, 7, 8, 11, 12, 14, 15, 0

GLYPHS = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
}


def draw():
    px = [[TRANSPARENT] * 32 for _ in range(32)]
    for y in range(1, 31):
        for x in range(1, 31):
            corner = min(x, 31 - x) + min(y, 31 - y)
            if corner >= 3:
                px[y][x] = NAVY
    for y in range(1, 31):  # a frame for depth: light top-left, dark bottom-right
        for x in range(1, 31):
            if px[y][x] == TRANSPARENT:
                continue
            edge_tl = px[y - 1][x] == TRANSPARENT or px[y][x - 1] == TRANSPARENT
            edge_br = (y == 30 or px[y + 1][x] == TRANSPARENT or
                       x == 30 or px[y][x + 1] == TRANSPARENT)
            if edge_br:
                px[y][x] = BLACK
            elif edge_tl:
                px[y][x] = BLUE

    def glyph(ch, ox, oy, colour, shadow):
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == "1":
                    for dy in range(2):
                        for dx in range(2):
                            px[oy + gy * 2 + dy + 1][ox + gx * 2 + dx + 1] = shadow
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == "1":
                    for dy in range(2):
                        for dx in range(2):
                            px[oy + gy * 2 + dy][ox + gx * 2 + dx] = colour

    glyph("0", 5, 4, YELLOW, BLACK)
    glyph("1", 17, 4, WHITE, BLACK)
    # A strip of bits below, like a punched tape: 0 1 0 0 1 0 0 0 ("H").
    for i, bit in enumerate("01001000"):
        x = 5 + i * 3
        for dy in range(2):
            for dx in range(2):
                px[22 + dy][x + dx] = CYAN if bit == "1" else TEAL
    for x in range(4, 28):
        px[25][x] = SILVER
    for x in range(4, 28):
        px[26][x] = GREY
    return px


# The same design as a vector drawing, for the sizes above 32 pixels: each
# shape is a colour and closed outlines (filled even-odd) in the 32-unit grid
# of the pixel icon, and its SVG element.
def rounded_rect(x0, y0, x1, y1, r, steps=8):
    points = []
    for cx, cy, start in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
                          (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        for i in range(steps + 1):
            a = math.radians(start + 90 * i / steps)
            points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def ellipse(cx, cy, rx, ry, steps=96):
    return [(cx + rx * math.cos(2 * math.pi * i / steps), cy + ry * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def bar(x0, y0, x1, y1, width):
    # A straight stroke of that width from (x0, y0) to (x1, y1).
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = (y0 - y1) / length * width / 2, (x1 - x0) / length * width / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def hex_colour(index):
    return "#%02X%02X%02X" % PALETTE[index]


def shapes():
    out = []

    def rect(colour, x0, y0, x1, y1, r):
        out.append((colour, [rounded_rect(x0, y0, x1, y1, r)],
                    f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}"'))

    def polygon(colour, points):
        text = " ".join(f"{x:.3f},{y:.3f}" for x, y in points)
        out.append((colour, [points], f'<polygon points="{text}"'))

    def ring(colour, cx, cy, rx, ry, width):
        path = " ".join(f"M{cx - a},{cy} a{a},{b} 0 1,0 {2 * a},0 a{a},{b} 0 1,0 {-2 * a},0"
                        for a, b in ((rx, ry), (rx - width, ry - width)))
        out.append((colour, [ellipse(cx, cy, rx, ry), ellipse(cx, cy, rx - width, ry - width)],
                    f'<path fill-rule="evenodd" d="{path}"'))

    # The tile: a dark edge at the bottom right, a light one at the top left.
    rect(BLACK, 1, 1, 31, 31, 2.5)
    rect(BLUE, 1, 1, 30, 30, 2)
    rect(NAVY, 2, 2, 30, 30, 1.5)

    def zero(colour, dx):  # a slashed "0" over the ten by fourteen units at (5, 4)
        ring(colour, 10 + dx, 11 + dx, 5, 7, 2)
        polygon(colour, bar(7.4 + dx, 14.6 + dx, 12.6 + dx, 7.4 + dx, 2))

    def one(colour, dx):  # a "1" with a flag and a foot at (17, 4)
        rect(colour, 21 + dx, 4 + dx, 23 + dx, 18 + dx, 0.3)
        polygon(colour, bar(18.6 + dx, 8.2 + dx, 22 + dx, 4.8 + dx, 2))
        rect(colour, 19 + dx, 16 + dx, 25 + dx, 18 + dx, 0.3)

    zero(BLACK, 1)
    zero(YELLOW, 0)
    one(BLACK, 1)
    one(WHITE, 0)
    for i, bit in enumerate("01001000"):  # the punched tape: "H"
        rect(CYAN if bit == "1" else TEAL, 5 + i * 3, 22, 7 + i * 3, 24, 0.4)
    rect(SILVER, 4, 25, 28, 26, 0)
    rect(GREY, 4, 26, 28, 27, 0)
    return out


def svg():
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    lines += [f'{element} fill="{hex_colour(colour)}"/>' for colour, _, element in shapes()]
    return "\n".join(lines + ["</svg>"]) + "\n"


def render(size, subrows=8):
    """Rasterizes the vector design at size x size pixels, antialiased."""
    scale = size / 32
    rgba = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for colour, outlines, _ in shapes():
        r, g, b = (c / 255 for c in PALETTE[colour])
        edges = [(x0 * scale, y0 * scale, x1 * scale, y1 * scale)
                 for outline in outlines
                 for (x0, y0), (x1, y1) in zip(outline, outline[1:] + outline[:1]) if y0 != y1]
        top = max(0, int(min(min(e[1], e[3]) for e in edges)))
        bottom = min(size, int(max(max(e[1], e[3]) for e in edges)) + 1)
        for row in range(top, bottom):
            cover = [0.0] * (size + 1)
            for k in range(subrows):
                y = row + (k + 0.5) / subrows
                xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0) for x0, y0, x1, y1 in edges
                            if min(y0, y1) <= y < max(y0, y1))
                for xa, xb in zip(xs[::2], xs[1::2]):
                    xa, xb = max(0.0, xa), min(float(size), xb)
                    ia, ib = int(xa), int(xb)
                    if ia == ib:
                        cover[ia] += (xb - xa) / subrows
                        continue
                    cover[ia] += (ia + 1 - xa) / subrows
                    for x in range(ia + 1, ib):
                        cover[x] += 1 / subrows
                    cover[ib] += (xb - ib) / subrows
            line = rgba[row]
            for x in range(size):
                a = min(cover[x], 1.0)
                if a > 0:
                    dr, dg, db, da = line[x]
                    line[x] = (r * a + dr * (1 - a), g * a + dg * (1 - a), b * a + db * (1 - a),
                               a + da * (1 - a))
    return rgba


def png(rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    size = len(rgba)
    raw = bytearray()
    for line in rgba:
        raw.append(0)
        for r, g, b, a in line:  # colours are kept premultiplied while drawing
            raw += bytes(round(c / a * 255) if a else 0 for c in (r, g, b)) + bytes((round(a * 255),))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def xpm(px):
    keys = ". abcdefghijklmnop"
    used = sorted({c for row in px for c in row})
    key_of = {c: keys[i] for i, c in enumerate(used)}
    lines = ["/* XPM */", "static const char *glyphmill_icon[] = {",
             f'"32 32 {len(used)} 1",']
    for c in used:
        colour = "None" if c == TRANSPARENT else "#%02X%02X%02X" % PALETTE[c]
        lines.append(f'"{key_of[c]} c {colour}",')
    for i, row in enumerate(px):
        end = "," if i < 31 else ""
        lines.append('"' + "".join(key_of[c] for c in row) + '"' + end)
    lines.append("};")
    return "\n".join(lines) + "\n"


def ico(px):
    # One 32 x 32, 4-bit image: header, palette, XOR bits bottom-up, AND mask.
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(px):
        for x in range(0, 32, 2):
            hi = max(row[x], 0)
            lo = max(row[x + 1], 0)
            xor.append(hi << 4 | lo)
    mask = bytearray()
    for row in reversed(px):
        bits = 0
        for x in range(32):
            bits = bits << 1 | (1 if row[x] == TRANSPARENT else 0)
        mask += struct.pack(">I", bits)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    pixels = draw()
    with open(f"{out}/glyphmill.xpm", "w") as f:
        f.write(xpm(pixels))
    with open(f"{out}/glyphmill.ico", "wb") as f:
        f.write(ico(pixels))
    with open(f"{out}/glyphmill.svg", "w") as f:
        f.write(svg())
    for size in LARGE_SIZES:
        with open(f"{out}/glyphmill-{size}.png", "wb") as f:
            f.write(png(render(size)))
