#!/usr/bin/python3
"""Saves the screen of an Xvfb display started with -fbdir as a PNG.

Usage: screenshot.py FRAMEBUFFER_DIR OUTPUT.png

Xvfb keeps its screen as an XWD image, FRAMEBUFFER_DIR/Xvfb_screen0; this
reads it (24-bit colour, 32 bits a pixel) and writes it as PNG, with nothing
but Python 3. To see the windows on a dark palette at scale 2:

    mkdir -p /tmp/fb /tmp/qt6ct-config/qt6ct
    printf '[Appearance]\\ncustom_palette=true\\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\\nstyle=Fusion\\n' \\
        >/tmp/qt6ct-config/qt6ct/qt6ct.conf
    Xvfb :7 -screen 0 1920x1080x24 -fbdir /tmp/fb & sleep 1
    DISPLAY=:7 XDG_CONFIG_HOME=/tmp/qt6ct-config QT_QPA_PLATFORMTHEME=qt6ct \\
        QT_SCALE_FACTOR=2 glyphmill &
    # open "About" and "Did U Know" from the "Files" menu, then
    scripts/screenshot.py /tmp/fb dark-2.png
"""
import struct
import sys
import zlib


def read_screen(folder):
    """The screen as (width, height, pixel), pixel(x, y) giving (r, g, b)."""
    with open(f"{folder}/Xvfb_screen0", "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    width, height, line, colours = header[4], header[5], header[12], header[19]
    pixels = data[header[0] + 12 * colours:]
    return width, height, lambda x, y: tuple(pixels[y * line + x * 4 + i] for i in (2, 1, 0))


def write_png(path, width, height, pixel):
    raw = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    write_png(sys.argv[2], *read_screen(sys.argv[1]))
