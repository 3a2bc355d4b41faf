#!/bin/bash
# Runs screen_reader_test.py on PROGRAM [--fuzz SECONDS] under a private X
# display and session bus. Exit status 77 when a tool is missing.
set -u
command -v xvfb-run >/dev/null && command -v dbus-run-session >/dev/null &&
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: no xvfb-run, dbus-run-session or python3-pyatspi (scripts/install-deps.sh test)"; exit 77; }
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
exec xvfb-run -a dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/screen_reader_test.py" "${1:?}" "${@:2}"
