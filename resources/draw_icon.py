#!/usr/bin/env python3
"""Draws the program's 32 x 32, 16-colour icon as XPM (and a Windows .ico).

A navy tile with a gold "0" above a white "1" beside a row of digit dots,
drawn pixel by pixel so the icon stays crisp at its native size.
"""
import struct
import sys

PALETTE = [  # the 16 colours of the classic VGA palette
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
TRANSPARENT = -1
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
