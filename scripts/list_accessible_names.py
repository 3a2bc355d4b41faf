#!/usr/bin/python3
"""Lists what a screen reader finds in Glyphmill: the role and name of every
accessible node of its three windows, read through AT-SPI.

Usage: list_accessible_names.py [PROGRAM]

With PROGRAM, starts it (with its accessibility bridge on), opens the About
and tip windows through the menu as a screen reader would, lists, and ends
it. Without, lists a Glyphmill that is already running. Needs the Debian
packages at-spi2-core and python3-pyatspi, a display and a session bus; on a
machine without a desktop:

    xvfb-run -a dbus-run-session -- scripts/list_accessible_names.py build/glyphmill
"""

import os
import subprocess
import sys
import time

import pyatspi

APPLICATION = "Glyphmill"


def find_application(seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == APPLICATION:
                return application
        time.sleep(0.2)
    sys.exit(f"no application named {APPLICATION} on the accessibility bus")


def find(node, role, name):
    if node.getRoleName() == role and node.name == name:
        return node
    for child in node:
        found = child and find(child, role, name)
        if found:
            return found
    return None


def choose_menu_item(application, caption):
    item = find(application, "menu item", caption)
    if item is None:
        sys.exit(f'no menu item "{caption}"')
    item.queryAction().doAction(0)


def wait_for_frame(application, title, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if any(frame and frame.name == title for frame in application):
            return
        time.sleep(0.2)
    sys.exit(f'the window "{title}" did not open')


def describe(node):
    text = f"{node.getRoleName()} {node.name!r}"
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            text += f" labelled by {relation.getTarget(0).name!r}"
    states = node.getState()
    marks = [word for state, word in ((pyatspi.STATE_CHECKED, "checked"),
                                      (pyatspi.STATE_FOCUSED, "focused"))
             if states.contains(state)]
    if not states.contains(pyatspi.STATE_SHOWING):
        marks.append("not showing")
    if marks:
        text += " [" + ", ".join(marks) + "]"
    return text


def list_nodes(node, depth=0):
    print("  " * depth + describe(node))
    for child in node:
        if child is not None:
            list_nodes(child, depth + 1)


def main():
    program = None
    if len(sys.argv) > 1:
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        program = subprocess.Popen(sys.argv[1:2], env=environment)
    try:
        application = find_application(20)
        if program:
            choose_menu_item(application, "About")
            wait_for_frame(application, "Form2")
            choose_menu_item(application, "Did U Know")
            wait_for_frame(application, "Tip of the Day")
        list_nodes(application)
    finally:
        if program:
            program.terminate()
            program.wait(10)


if __name__ == "__main__":
    main()
