#!/usr/bin/python3
# The real program as a screen reader meets it, through AT-SPI, on a dark
# palette (qt6ct's "darker" colours, which the caller sets up): what the
# answer box is given after "DO!!!", and the extents of all of it; every
# boundary kind at every kind of offset answers at once; on the screen
# itself, the text of the main window's labels and of the tip window's
# heading differs from the background behind it by a contrast of 4.5 or
# more (the screen is left as dark.png in OUTPUT_DIR). With --fuzz, random calls of every text
# query, inserts and deletes against a box of random text for SECONDS: each
# must answer at once, and read what the box holds.
# Usage: screen_reader_test.py PROGRAM OUTPUT_DIR | --fuzz SECONDS (under a
# session bus and Xvfb, with -fbdir OUTPUT_DIR).

import itertools
import os
import random
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
from screenshot import read_screen, write_png  # noqa: E402


def find(node, role, name):
    return pyatspi.findDescendant(node, lambda n: n.getRoleName() == role and n.name == name)


BOUNDARIES = [getattr(pyatspi, "TEXT_BOUNDARY_" + kind) for kind in (
    "CHAR", "WORD_START", "WORD_END", "SENTENCE_START", "SENTENCE_END", "LINE_START", "LINE_END")]
QUERIES = ("getTextAtOffset", "getTextBeforeOffset", "getTextAfterOffset")


def units(text):
    return len(text.encode("utf-16-le")) // 2


# What call(*args) answers; a frozen program fails here.
def answered(call, *args):
    start = time.monotonic()
    result = call(*args)
    assert time.monotonic() - start < 10, (call.__name__, args)
    return result


# Waits for what() (up to 150 s: startup is slow in a sanitizer build), doing
# step() meanwhile; what() answers last.
def waited(what, step=lambda: time.sleep(0.2)):
    deadline = time.monotonic() + 150
    while not (value := what()) and time.monotonic() < deadline:
        step()
    return value


def contrast(a, b):
    def luminance(rgb):
        return sum(weight * (c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4)
                   for weight, c in zip((0.2126, 0.7152, 0.0722), rgb))
    dark, light = sorted((luminance(a), luminance(b)))
    return (light + 0.05) / (dark + 0.05)


# Each boundary kind at -1, 0, a line end, inside a surrogate pair, the end,
# past it and at the integer limits.
def check_boundaries(box):
    text = "Hi. Ok\r\nA\U0001F600"
    editable, reader = box.queryEditableText(), box.queryText()
    editable.deleteText(0, reader.characterCount)
    editable.insertText(0, text, units(text))
    assert reader.getText(0, -1) == "Hi. Ok\nA\U0001F600", repr(reader.getText(0, -1))
    offsets = (-1, 0, 6, 7, 9, 10, 11, 2**31 - 1, -2**31)
    for boundary, offset, query in itertools.product(BOUNDARIES, offsets, QUERIES):
        answered(getattr(reader, query), offset, boundary)


def check_labels(application, out):
    find(application, "menu item", "Did U Know").queryAction().doAction(0)
    waited(lambda: find(application, "label", "Did you know..."))
    time.sleep(1)  # painted
    width, height, pixel = read_screen(out)
    write_png(f"{out}/dark.png", width, height, pixel)
    for name in ("Your Text  ->  Binary or Ascii:", "Answer:", "Number:", "Binary:", "Did you know..."):
        x, y, w, h = find(application, "label", name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        colours = [pixel(i, j) for i in range(x, x + w) for j in range(y, y + h)]
        back = max(set(colours), key=colours.count)
        best = max(contrast(c, back) for c in colours)
        assert best >= 4.5 and (sum(back) < 300 or name == "Did you know..."), (name, back, best)


def fuzz(box, seconds):
    pieces = "a|Z|7| |. |\r\n|\n|\r|\u2028|\u2029|\ufdd0|\ufdd3|\u200b|e\u0301|\U0001F600|\t|\u05d0"
    run = int(os.environ.get("GLYPHMILL_FUZZ_RUN", time.time()))
    print("run", run)  # GLYPHMILL_FUZZ_RUN=that number repeats the run.
    rng = random.Random(run)
    editable, reader = box.queryEditableText(), box.queryText()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        count = answered(lambda: reader.characterCount)
        offset = rng.choice([-1, -2, 0, count, count + 1, rng.randint(0, count), 2**31 - 1, -2**31])
        text = "".join(rng.choice(pieces.split("|")) for _ in range(rng.randint(1, 40) if count < 5000 else 0))
        answered(*rng.choice([(editable.insertText, offset, text, units(text) + rng.choice([0, 0, 3])),
                              (editable.deleteText, offset, min(offset + rng.randint(0, 30), 2**31 - 1)),
                              (reader.getCharacterExtents, offset, 0),
                              (reader.setSelection, 0, offset, rng.randint(0, count))]))
        query = getattr(reader, rng.choice(QUERIES))
        found, start, end = answered(query, offset, rng.choice(BOUNDARIES))
        assert "\0" not in found, (found, start, end)
        if 0 <= start <= end <= reader.characterCount:
            assert found == reader.getText(start, end), (found, start, end)
    whole = reader.getText(0, -1)
    assert "\0" not in whole and units(whole) == reader.characterCount, repr(whole[:80])


program, out = sys.argv[1:3]
# The registry must be up before the program starts, or the program may
# never join it.
pyatspi.Registry.getDesktop(0).childCount
program = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                               QT_QPA_PLATFORM="xcb"))
try:
    application = waited(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                       if a is not None and a.name == "Glyphmill"), None))
    assert application, "no Glyphmill on the accessibility bus"
    if out == "--fuzz":
        fuzz(find(application, "text", "Your Text"), float(sys.argv[3]))
    else:
        # What the answer box reports it was given, as a screen reader hears it.
        inserted = []
        pyatspi.Registry.registerEventListener(
            lambda event: inserted.append(event.any_data) if event.source.name == "Answer" else None,
            "object:text-changed:insert")
        find(application, "text", "Your Text").queryEditableText().insertText(0, "Hi" * 300, 600)
        find(application, "push button", "DO!!!").queryAction().doAction(0)
        assert waited(lambda: "".join(inserted) == "01001000\n01101001\n" * 300,
                      lambda: GLib.MainContext.default().iteration(False)), repr("".join(inserted)[:40])
        answer = find(application, "text", "Answer").queryText()
        x, y, width, height = answer.getRangeExtents(0, answer.characterCount, 0)
        assert width > 0 and height > 0, (x, y, width, height)
        check_boundaries(find(application, "text", "Your Text"))
        check_labels(application, out)
        print("the answer box reads as shown, every boundary answers, the labels read on a dark palette")
finally:  # A frozen program ignores SIGTERM.
    program.kill()
