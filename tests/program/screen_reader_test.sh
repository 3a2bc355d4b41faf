#!/bin/bash
# Runs SCRIPT (screen_reader_test.py) on PROGRAM under a private X display of
# 1280 x 800 and session bus; with OUTPUT_DIR, the display keeps its screen
# there (Xvfb_screen0) for the script to read, and the program takes qt6ct's
# "darker" colours from there.
# Usage: screen_reader_test.sh SCRIPT PROGRAM OUTPUT_DIR | --fuzz SECONDS
# Exit status 77 when a tool is missing.
set -u
command -v xvfb-run >/dev/null && command -v dbus-run-session >/dev/null && [ -e /usr/share/qt6ct ] &&
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: no xvfb-run, dbus-run-session, qt6ct or python3-pyatspi (scripts/install-deps.sh test)"; exit 77; }
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
case ${3:?} in --*) screen="" ;; *) screen=$3 && mkdir -p "$screen/qt6ct" &&
    printf '[Appearance]\ncustom_palette=true\nstyle=Fusion\ncolor_scheme_path=%s\n' \
        /usr/share/qt6ct/colors/darker.conf >"$screen/qt6ct/qt6ct.conf" &&
    export QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME=$screen ;;
esac
xvfb-run -a -s "-screen 0 1280x800x24${screen:+ -fbdir $screen}" dbus-run-session -- \
    /usr/bin/python3 "$(dirname "$0")/${1:?}" "${2:?}" "${@:3}"
