#!/usr/bin/python3
"""What Windows shows of glyphmill.exe without running it, read from its
resource section: the version record (file and product version, description,
comments) and the icon, which must be the 32 x 32, 16-colour picture the
main window shows (the XPM it is compiled from), pixel for pixel.

Usage: windows_resources_test.py PROGRAM.exe WINDOW_ICON.xpm
"""
import re
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
failures = []


def check(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: {got!r}, not {wanted!r}")


def resources(path):
    """The resource tree: {type: {name: {language: bytes}}}."""
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, _, _, _, optional = struct.unpack_from("<HIIIH", data, pe + 6)
    for at in range(pe + 24 + optional, pe + 24 + optional + 40 * count, 40):
        name, _, base, size, offset = struct.unpack_from("<8sIIII", data, at)
        if name.rstrip(b"\0") == b".rsrc":
            section = data[offset:offset + size]
            break
    else:
        sys.exit(f"FAIL: {path} has no resource section")

    def directory(at):
        named, numbered = struct.unpack_from("<HH", section, at + 12)
        tree = {}
        for entry in range(at + 16, at + 16 + 8 * (named + numbered), 8):
            key, target = struct.unpack_from("<II", section, entry)
            if key & 0x80000000:
                length = struct.unpack_from("<H", section, key & 0x7FFFFFFF)[0]
                start = (key & 0x7FFFFFFF) + 2
                key = section[start:start + 2 * length].decode("utf-16-le")
            if target & 0x80000000:
                tree[key] = directory(target & 0x7FFFFFFF)
            else:
                rva, length = struct.unpack_from("<II", section, target)
                tree[key] = section[rva - base:rva - base + length]
        return tree
    return directory(0)


def only(tree):
    """The one resource of a type: its first name, first language."""
    return next(iter(next(iter(tree.values())).values()))


def xpm_pixels(path):
    """The picture as rows of (r, g, b), None where it is transparent."""
    with open(path) as f:
        lines = re.findall(r'"([^"]*)"', f.read())
    width, height, colours, chars = map(int, lines[0].split())
    palette = {}
    for line in lines[1:1 + colours]:
        value = line[chars:].split()[-1]
        palette[line[:chars]] = None if value == "None" else bytes.fromhex(value[1:])
    return [[palette[row[x:x + chars]] for x in range(0, width * chars, chars)]
            for row in lines[1 + colours:1 + colours + height]]


def icon_pixels(dib):
    """A 4-bit icon image (a bitmap of double height: colours, then the
    transparency mask, both bottom-up) as rows of (r, g, b) or None."""
    size, width, height, _, bits = struct.unpack_from("<IiiHH", dib)
    check("icon image: width, height (colours and mask), bits per pixel", (width, height, bits), (32, 64, 4))
    palette = [dib[size + 4 * i:size + 4 * i + 3][::-1] for i in range(16)]
    colours, mask = size + 64, size + 64 + 16 * 32
    rows = []
    for y in range(32):
        row = 31 - y
        rows.append([None if dib[mask + row * 4 + x // 8] >> (7 - x % 8) & 1 else
                     palette[dib[colours + row * 16 + x // 2] >> (0 if x % 2 else 4) & 15]
                     for x in range(32)])
    return rows


tree = resources(sys.argv[1])
version = only(tree.get(RT_VERSION, {0: {0: b""}}))
fixed = version.find(struct.pack("<I", 0xFEEF04BD))
if fixed < 0:
    sys.exit("FAIL: no version record")
file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", version, fixed + 8)
numbers = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
check("file version", numbers(file_ms, file_ls), "2.0.0.1")
check("product version", numbers(product_ms, product_ls), "2.0.0.1")
text = version.decode("utf-16-le")
for key, wanted in [("FileDescription", "Glyphmill"), ("Comments", "Use It To Decode Binary Or Ascii"),
                    ("FileVersion", "2.00.0001"), ("ProductVersion", "2.00.0001")]:
    value = re.search(key + "\0+([^\0]*)", text)
    check(key, value and value.group(1), wanted)

groups = tree.get(RT_GROUP_ICON, {})
check("icon groups", len(groups), 1)
if groups:
    group = only(groups)
    entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
               for i in range(struct.unpack_from("<H", group, 4)[0])]
    check("icon images (width, height, colours)", [e[:3] for e in entries], [(32, 32, 16)])
    if entries:
        shown, drawn = icon_pixels(next(iter(tree[RT_ICON][entries[0][7]].values()))), xpm_pixels(sys.argv[2])
        wrong = [(x, y) for y in range(32) for x in range(32) if shown[y][x] != drawn[y][x]]
        check("icon pixels unlike the window's icon (x, y)", wrong[:5], [])

print("\n".join(f"FAIL: {f}" for f in failures) or "the version record and the icon are right")
sys.exit(1 if failures else 0)
