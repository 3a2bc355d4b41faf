#!/usr/bin/python3
"""What Windows shows of glyphmill.exe without running it, read back from its
resource section by the resource compiler: the version record (file and
product version, description, comments) and the icon, which must be the
32 x 32, 16-colour picture that the main window shows (the XPM it is built
from), pixel for pixel.

Usage: windows_resources_test.py WINDRES PROGRAM.exe WINDOW_ICON.xpm
"""
import re
import struct
import subprocess
import sys

windres, program, xpm = sys.argv[1:]
rc = subprocess.run([windres, "-i", program, "-O", "rc"], check=True, capture_output=True, text=True).stdout
failures = [f"the version record has no line {line}" for line in [
    "FILEVERSION 2, 0, 0, 1", "PRODUCTVERSION 2, 0, 0, 1", 'VALUE "FileDescription", "Glyphmill"',
    'VALUE "Comments", "Use It To Decode Binary Or Ascii"', 'VALUE "FileVersion", "2.00.0001"',
    'VALUE "ProductVersion", "2.00.0001"'] if not re.search(rf"^\s*{re.escape(line)}$", rc, re.M)]

# The icon group lists each image as "width height colours pad", planes, bits,
# size, and the number of the icon resource that holds it.
images = re.findall(r'"\\(\d+)\\(\d+)\\(\d+)\\\d+", \d+, \d+, \w+, (\d+)', rc)
if [tuple(int(n, 8) for n in image[:3]) for image in images] != [(32, 32, 16)]:
    failures.append(f"the icon's images (width, height, colours in octal): {images}, not one of 32 x 32, 16")
else:
    words = re.search(rf"^{images[0][3]} 3 /\* RT_ICON \*/\nBEGIN\n(.*?)^END", rc, re.M | re.S).group(1)
    dib = b"".join(struct.pack("<I", int(w, 16)) for w in re.findall(r"0x([0-9a-f]+)L", words))
    # A 4-bit image: a header, 16 colours, then the colour indices and the
    # transparency mask, each row by row from the bottom.
    size = struct.unpack_from("<I", dib)[0]
    palette = [dib[size + 4 * i:size + 4 * i + 3][::-1] for i in range(16)]
    indices, mask = size + 64, size + 64 + 16 * 32

    def shown(x, y):
        if dib[mask + (31 - y) * 4 + x // 8] >> (7 - x % 8) & 1:
            return None
        return palette[dib[indices + (31 - y) * 16 + x // 2] >> (0 if x % 2 else 4) & 15]

    with open(xpm) as f:
        lines = re.findall(r'"([^"]*)"', f.read())
    colours = {line[0]: None if line.endswith("None") else bytes.fromhex(line[-6:])
               for line in lines[1:1 + int(lines[0].split()[2])]}
    drawn = lines[-32:]
    wrong = [(x, y) for y in range(32) for x in range(32) if shown(x, y) != colours[drawn[y][x]]]
    if wrong:
        failures.append(f"{len(wrong)} pixels of the icon are not the window's, first at (x, y) {wrong[0]}")

print("\n".join(f"FAIL: {f}" for f in failures) or "the version record and the icon are right")
if failures:
    print(rc[rc.find("VERSIONINFO") - 2:])
sys.exit(1 if failures else 0)
