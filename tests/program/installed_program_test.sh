#!/bin/bash
# Installs the build into a scratch prefix, checks what a desktop looks for,
# and drives the installed program, through its link in bin, in a real window.
# Usage: installed_program_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR
set -u
cmake=${1:?} build=${2:?} source=${3:?} out=${4:?}
prefix=$out/prefix failures=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
check "help.cfg lies beside the program bin/glyphmill leads to" \
    cmp "$source/tip_window/help.cfg" "$(dirname "$(readlink -f "$prefix/bin/glyphmill")")/help.cfg"
desktop=$prefix/share/applications/glyphmill.desktop
check "the menu entry starts glyphmill" grep -qx 'Exec=glyphmill' "$desktop"
check "the menu entry's icon" test -s "$prefix/share/icons/hicolor/32x32/apps/$(sed -n 's/^Icon=//p' "$desktop").png"
for page in "$prefix"/share/man/man1/*.gz; do
    check "$(basename "$page") renders" [ -z "$(gzip -dc "$page" | groff -man -Tutf8 -ww -z 2>&1)" ]
done
! command -v desktop-file-validate >/dev/null || check "desktop-file-validate" desktop-file-validate "$desktop"
! command -v appstreamcli >/dev/null || check "appstreamcli" appstreamcli validate --no-net "$prefix"/share/metainfo/*
cd "$out" && bash "$(dirname "$0")/real_window_test.sh" "$prefix/bin/glyphmill" "$out/window" ||
    [ $? -eq 77 ] || failures=$((failures + 1))
[ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
