#!/bin/bash
# Installs the build into a scratch prefix, checks that every file a desktop
# needs is where it looks for it, and drives the installed program in a real
# window, started through its link in bin from an unrelated directory.
#
# Usage: installed_program_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR
set -u

cmake=${1:?usage: installed_program_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR}
build_dir=${2:?}
source_dir=${3:?}
output_dir=${4:?}
script_dir=$(cd "$(dirname "$0")" && pwd)
prefix="$output_dir/prefix"
failures=0

check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

# Width and height of a PNG from its header, as "WxH".
png_size() {
    local b
    read -r -a b <<<"$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')"
    [ ${#b[@]} -eq 8 ] || return 1
    echo "$((b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]))x$((b[4] << 24 | b[5] << 16 | b[6] << 8 | b[7]))"
}

is_png_of_size() {
    [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] &&
        [ "$(png_size "$1")" = "$2" ]
}

is_relative_link() {
    [ -L "$1" ] && [ "${2#/}" = "$2" ]
}

is_private_program() {
    [ -x "$1" ] && [ "$(basename "$(dirname "$1")")" = glyphmill ] && [ "$(dirname "$1")" != "$prefix/bin" ]
}

desktop_value() {
    sed -n "s/^$1=//p" "$prefix/share/applications/glyphmill.desktop"
}

man_page_renders() {
    local warnings
    warnings=$(gzip -dc "$1" | groff -man -Tutf8 -ww -z 2>&1) || return 1
    [ -z "$warnings" ] || {
        echo "$warnings"
        return 1
    }
}

rm -rf "$prefix"
mkdir -p "$output_dir"
"$cmake" --install "$build_dir" --prefix "$prefix" >"$output_dir/install.log" 2>&1 || {
    cat "$output_dir/install.log"
    echo "FAIL: cmake --install"
    exit 1
}

link="$prefix/bin/glyphmill"
target=$(readlink "$link")
check "bin/glyphmill is a relative link" is_relative_link "$link" "$target"
real=$(readlink -f "$link")
private_dir=$(dirname "$real")
check "the link leads to the program in a private directory ($target)" is_private_program "$real"
check "help.cfg lies beside the program" cmp -s "$source_dir/tip_window/help.cfg" "$private_dir/help.cfg"

if [ "${GLYPHMILL_HAS_CONVERT:-0}" = 1 ]; then
    check "bin/glyphmill-convert --version" \
        [ "$("$prefix/bin/glyphmill-convert" --version)" = "glyphmill-convert 2.00.0001" ]
    check "the man page of glyphmill-convert renders cleanly" \
        man_page_renders "$prefix/share/man/man1/glyphmill-convert.1.gz"
fi
check "the man page of glyphmill renders cleanly" man_page_renders "$prefix/share/man/man1/glyphmill.1.gz"

check "desktop entry: Name" [ "$(desktop_value Name)" = Glyphmill ]
check "desktop entry: Comment" [ "$(desktop_value Comment)" = "Use It To Decode Binary Or Ascii" ]
check "desktop entry: Exec is the program in bin" [ "$(desktop_value Exec)" = glyphmill ]
check "desktop entry: Categories has Utility" grep -qx 'Categories=\(.*;\)\?Utility;.*' \
    "$prefix/share/applications/glyphmill.desktop"
icon=$(desktop_value Icon)
check "desktop entry: Icon names the theme icon" [ "$icon" = glyphmill ]
for size in 16 22 24 32 48 64 128 256; do
    check "hicolor icon ${size}x${size}" \
        is_png_of_size "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png" "${size}x${size}"
done
check "scalable icon" grep -q '<svg ' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg"

metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
check "one metainfo file" test ${#metainfo[@]} -eq 1 -a -f "${metainfo[0]}"
check "metainfo launches the desktop entry" \
    grep -q '<launchable type="desktop-id">glyphmill.desktop</launchable>' "${metainfo[0]}"
check "metainfo records version 2.0.0.1" grep -q '<release version="2.0.0.1"' "${metainfo[0]}"

if command -v desktop-file-validate >/dev/null 2>&1; then
    check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/glyphmill.desktop"
else
    echo "not checked: desktop-file-validate is not installed"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    check "appstreamcli validate" appstreamcli validate --no-net "${metainfo[0]}"
else
    echo "not checked: appstreamcli is not installed"
fi

# The installed program, through its link, from a directory of its own.
cd "$output_dir" || exit 1
bash "$script_dir/real_window_test.sh" "$link" "$output_dir/window"
status=$?
if [ $status -eq 77 ] && [ $failures -eq 0 ]; then
    exit 77
fi
[ $status -eq 0 ] || [ $status -eq 77 ] || failures=$((failures + 1))

[ $failures -eq 0 ] || {
    echo "$failures check(s) failed"
    exit 1
}
echo "PASS"
