#!/usr/bin/python3
# The real program as a screen reader meets it, through AT-SPI: the answer
# box after "DO!!!" reads its line breaks as "\n", across the end of a block
# of lines, and answers the extents of all of it.
# Usage: screen_reader_test.py PROGRAM (under a display and a session bus).

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def find(node, role, name):
    return pyatspi.findDescendant(node, lambda n: n.getRoleName() == role and n.name == name)


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
        print("the answer box reads as shown")
    finally:
        program.terminate()
        program.wait(10)


if __name__ == "__main__":
    main()
