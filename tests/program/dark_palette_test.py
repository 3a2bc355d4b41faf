#!/usr/bin/python3
# The real program on a dark palette (qt6ct's "darker" colours): on the screen
# itself, the text of the main window's labels and of the tip window's heading
# differs from the background behind it by a contrast of 4.5 or more. Leaves
# the screen as dark.png in OUTPUT_DIR.
# Usage: dark_palette_test.py PROGRAM OUTPUT_DIR (under Xvfb -fbdir
# OUTPUT_DIR, with a session bus).

import os
import sys
import time

import pyatspi
from screen_reader_test import find, start

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
from screenshot import read_screen, write_png  # noqa: E402


def contrast(a, b):
    def luminance(rgb):
        linear = [c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def main():
    out = sys.argv[2]
    if not os.path.exists("/usr/share/qt6ct/colors/darker.conf"):
        print("SKIP: no qt6ct (scripts/install-deps.sh test)")
        sys.exit(77)
    os.makedirs(f"{out}/config/qt6ct", exist_ok=True)
    with open(f"{out}/config/qt6ct/qt6ct.conf", "w") as f:
        f.write("[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n")
    program, application = start(sys.argv[1], QT_QPA_PLATFORMTHEME="qt6ct",
                                  XDG_CONFIG_HOME=f"{out}/config")
    try:
        find(application, "menu item", "Did U Know").queryAction().doAction(0)
        for _ in range(50):
            if find(application, "label", "Did you know..."):
                break
            time.sleep(0.2)
        time.sleep(1)  # painted
        width, height, pixel = read_screen(out)
        write_png(f"{out}/dark.png", width, height, pixel)
        for name in ("Your Text  ->  Binary or Ascii:", "Answer:", "Number:", "Binary:",
                     "Did you know..."):
            x, y, w, h = find(application, "label", name).queryComponent().getExtents(
                pyatspi.DESKTOP_COORDS)
            colours = [pixel(i, j) for i in range(x, x + w) for j in range(y, y + h)]
            back = max(set(colours), key=colours.count)
            best = max(contrast(c, back) for c in colours)
            assert best >= 4.5 and sum(back) < 300 or name == "Did you know...", (name, back, best)
        print("the labels read on a dark palette")
    finally:
        program.terminate()
        program.wait(10)


if __name__ == "__main__":
    main()
