#!/bin/bash
# Installs the build into a scratch prefix, checks what a desktop looks for,
# drives the installed program in a real window, and reads the tip it shows
# through the accessibility interface: the installed tips, a user's own file
# over them, a file beside the program over both.
# Usage: installed_program_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR
# Exit status 77 when a tool is missing.
set -u
cmake=${1:?} build=${2:?} source=${3:?} out=${4:?}
prefix=$out/prefix failures=0
command -v xvfb-run >/dev/null && command -v dbus-run-session >/dev/null &&
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: no xvfb-run, dbus-run-session or python3-pyatspi (scripts/install-deps.sh test)"; exit 77; }
# A real window on the X display of each check, whatever the caller's platform.
export QT_QPA_PLATFORM=xcb
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
rm -rf "$prefix" && "$cmake" --install "$build" --prefix "$prefix" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
desktop=$prefix/share/applications/glyphmill.desktop icons=$prefix/share/icons/hicolor
check "the menu entry starts glyphmill" grep -qx 'Exec=glyphmill' "$desktop"
icon=$(sed -n 's/^Icon=//p' "$desktop") # the menu entry's icon, at every size
for size in 16 22 24 32 48 64 128 256; do # width and height in the PNG header
    check "the ${size}px icon" [ "$(od -An -tu4 --endian=big -j16 -N8 "$icons/${size}x$size/apps/$icon.png" | xargs)" = "$size $size" ]
done
check "the scalable icon is a drawing of a few shapes" [ "$(grep -c '<' "$icons/scalable/apps/$icon.svg")" -lt 64 ]
# The man pages and the menu entry are checked by lintian on the package.
! command -v appstreamcli >/dev/null || check "appstreamcli" appstreamcli validate --no-net "$prefix"/share/metainfo/*
# The caption of the label under "Did you know..." as a screen reader reads
# it; tried three times, as a busy machine may start the program too late.
shown_tip() {
    for _ in 1 2 3; do
        env -u XDG_DATA_HOME HOME="$out/home" XDG_DATA_DIRS="$prefix/share:/usr/share" \
            timeout 90 xvfb-run -a dbus-run-session -- "$source/scripts/list_accessible_names.py" "$1" \
            2>/dev/null | sed -n "/label 'Did you know...'/{n;s/^ *label .\(.*\).\$/\1/p}" | grep . && break
    done
}
rm -rf "$out/home" "$out/portable" && mkdir -p "$out/home/.local/share/glyphmill" "$out/portable"
check "the installed tips are shown" grep -qxF -- "$(shown_tip "$prefix/bin/glyphmill")" "$source/tip_window/help.cfg"
echo "A tip of my own" >"$out/home/.local/share/glyphmill/help.cfg"
check "~/.local/share/glyphmill/help.cfg wins" [ "$(shown_tip "$prefix/bin/glyphmill")" = "A tip of my own" ]
cp "$prefix/bin/glyphmill" "$out/portable/" && echo "A tip beside the program" >"$out/portable/help.cfg"
check "help.cfg beside the program wins" [ "$(shown_tip "$out/portable/glyphmill")" = "A tip beside the program" ]
cd "$out" && bash "$(dirname "$0")/real_window_test.sh" "$prefix/bin/glyphmill" "$out/window" ||
    [ $? -eq 77 ] || failures=$((failures + 1))
[ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
