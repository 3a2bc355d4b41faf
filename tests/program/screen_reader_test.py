#!/usr/bin/python3
# The real program as a screen reader meets it, through AT-SPI: the answer
# box after "DO!!!" reads its line breaks as "\n", across the end of a block
# of lines, and answers the extents of all of it; every boundary kind at
# every kind of offset answers at once. With --fuzz, random calls of every
# text query, inserts and deletes against a box of random text for SECONDS:
# each must answer at once, and read what the box holds.
# Usage: screen_reader_test.py PROGRAM [--fuzz SECONDS] (under a display and
# a session bus).

import itertools
import os
import random
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


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


# Each boundary kind at -1, 0, a line end, inside a surrogate pair, the end,
# past it and at the integer limits; at the end of the text, the last sentence.
def check_boundaries(box):
    text = "Hi. Ok\r\nA\U0001F600"
    editable, reader = box.queryEditableText(), box.queryText()
    editable.deleteText(0, reader.characterCount)
    editable.insertText(0, text, units(text))
    assert reader.getText(0, -1) == "Hi. Ok\nA\U0001F600", repr(reader.getText(0, -1))
    offsets = (-1, 0, 6, 7, 9, 10, 11, 2**31 - 1, -2**31)
    for boundary, offset, query in itertools.product(BOUNDARIES, offsets, QUERIES):
        answered(getattr(reader, query), offset, boundary)
    for offset in (-1, 10):
        found = reader.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_SENTENCE_START)
        assert tuple(found) == ("A\U0001F600", 7, 10), (offset, found)


def fuzz(box, seconds):
    pieces = "a|Z|7| |. |\r\n|\n|\r|\u2028|\u2029|\ufdd0|\ufdd3|\u200b|e\u0301|\U0001F600|\t|\u05d0"
    seed = int(os.environ.get("GLYPHMILL_FUZZ_SEED", time.time()))
    print("seed", seed)  # GLYPHMILL_FUZZ_SEED=seed repeats a run.
    rng = random.Random(seed)
    editable, reader = box.queryEditableText(), box.queryText()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        count = answered(lambda: reader.characterCount)
        offset = rng.choice([-1, -2, 0, count, count + 1, rng.randint(0, count),
                             rng.choice([2**31 - 1, -2**31])])
        kind = rng.randrange(8)
        if kind == 0 and count < 5000:
            text = "".join(rng.choice(pieces.split("|")) for _ in range(rng.randint(1, 40)))
            answered(editable.insertText, offset, text, units(text) + rng.choice([0, 0, 3]))
        elif kind == 1:
            answered(editable.deleteText, offset, min(offset + rng.randint(0, 30), 2**31 - 1))
        elif kind == 2:
            answered(reader.getCharacterExtents, offset, 0)
        elif kind == 3:
            answered(reader.setSelection, 0, offset, rng.randint(0, count))
        else:
            query = getattr(reader, rng.choice(QUERIES))
            found, start, end = answered(query, offset, rng.choice(BOUNDARIES))
            assert "\0" not in found, (found, start, end)
            if 0 <= start <= end <= count:
                assert found == reader.getText(start, end), (found, start, end)
    whole = reader.getText(0, -1)
    assert "\0" not in whole and units(whole) == reader.characterCount, repr(whole[:80])


def start(program, **environment):
    """Starts the program with its accessibility bridge on; (process, application)."""
    # The registry must be up before the program starts, or the program may
    # never join it.
    pyatspi.Registry.getDesktop(0).childCount
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                       **environment)
    process = subprocess.Popen([program], env=environment)
    # Startup is slow in a sanitizer build.
    deadline = time.monotonic() + 150
    application = None
    while application is None and time.monotonic() < deadline:
        application = next((a for a in pyatspi.Registry.getDesktop(0)
                            if a is not None and a.name == "Glyphmill"), None)
        time.sleep(0.2)
    assert application, "no Glyphmill on the accessibility bus"
    return process, application


def main():
    program, application = start(sys.argv[1])
    try:
        deadline = time.monotonic() + 150
        # What the answer box reports it was given, as a screen reader hears it.
        inserted = []
        pyatspi.Registry.registerEventListener(
            lambda event: inserted.append(event.any_data) if event.source.name == "Answer" else None,
            "object:text-changed:insert")
        if sys.argv[2:3] == ["--fuzz"]:
            fuzz(find(application, "text", "Your Text"), float(sys.argv[3]))
            return
        find(application, "text", "Your Text").queryEditableText().insertText(0, "Hi" * 300, 600)
        find(application, "push button", "DO!!!").queryAction().doAction(0)
        answer = find(application, "text", "Answer").queryText()
        lines = "01001000\n01101001\n" * 300
        while "".join(inserted) != lines and time.monotonic() < deadline:
            GLib.MainContext.default().iteration(False)
        assert "".join(inserted) == lines, repr("".join(inserted)[:40])
        assert answer.getText(0, -1) == lines, repr(answer.getText(0, 40))
        # The 256th line ends a block of lines.
        line = answer.getTextAtOffset(2297, pyatspi.TEXT_BOUNDARY_LINE_START)
        assert tuple(line) == (lines[2295:2304], 2295, 2304), line
        x, y, width, height = answer.getRangeExtents(0, answer.characterCount, 0)
        assert width > 0 and height > 0, (x, y, width, height)
        check_boundaries(find(application, "text", "Your Text"))
        print("the answer box reads as shown, and every boundary answers")
    finally:
        program.terminate()
        try:
            program.wait(10)
        finally:  # A frozen program ignores SIGTERM.
            program.kill()


if __name__ == "__main__":
    main()
