#!/bin/bash
# Builds the Debian package with CPack and checks its name, version, computed
# dependencies and contents, then unpacks it into a scratch root and runs the
# command-line tool from there.
#
# Usage: debian_package_test.sh CPACK BUILD_DIR OUTPUT_DIR
set -u

cpack=${1:?usage: debian_package_test.sh CPACK BUILD_DIR OUTPUT_DIR}
build_dir=${2:?}
output_dir=${3:?}
failures=0

for tool in dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh test installs dpkg-dev)"
        exit 77
    fi
done

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

contains() {
    case "$1" in *"$2"*) return 0 ;; esac
    return 1
}

rm -rf "$output_dir"
mkdir -p "$output_dir"
"$cpack" --config "$build_dir/CPackConfig.cmake" -G DEB -B "$output_dir" >"$output_dir/cpack.log" 2>&1 || {
    cat "$output_dir/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
}
packages=("$output_dir"/*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "FAIL: cpack made no single .deb: ${packages[*]}"
    exit 1
fi
deb=${packages[0]}
echo "package $(basename "$deb")"

check "Package: glyphmill" [ "$(dpkg-deb -f "$deb" Package)" = glyphmill ]
check "Version: 2.0.0.1" [ "$(dpkg-deb -f "$deb" Version)" = 2.0.0.1 ]
check "a maintainer" contains "$(dpkg-deb -f "$deb" Maintainer)" "@"
check "description" [ "$(dpkg-deb -f "$deb" Description | head -n 1)" = "Use It To Decode Binary Or Ascii" ]
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    check "depends on $library" contains "$depends" "$library"
done

contents=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
for entry in \
    "./usr/bin/glyphmill -> ../lib/glyphmill/glyphmill" \
    ./usr/lib/glyphmill/glyphmill \
    ./usr/lib/glyphmill/help.cfg \
    ./usr/share/applications/glyphmill.desktop \
    ./usr/share/icons/hicolor/32x32/apps/glyphmill.png \
    ./usr/share/icons/hicolor/scalable/apps/glyphmill.svg \
    ./usr/share/man/man1/glyphmill.1.gz \
    ./usr/share/doc/glyphmill/copyright \
    ./usr/share/doc/glyphmill/changelog.gz; do
    check "contains $entry" grep -qxF "$entry" <<<"$contents"
done
check "contains the metainfo" grep -q '^./usr/share/metainfo/.*\.metainfo\.xml$' <<<"$contents"

root="$output_dir/root"
dpkg-deb -x "$deb" "$root"
if [ "${GLYPHMILL_HAS_CONVERT:-0}" = 1 ]; then
    check "contains glyphmill-convert" grep -qxF ./usr/bin/glyphmill-convert <<<"$contents"
    check "contains its man page" grep -qxF ./usr/share/man/man1/glyphmill-convert.1.gz <<<"$contents"
    check "the unpacked glyphmill-convert runs" \
        [ "$(printf Hi | "$root/usr/bin/glyphmill-convert" text-to-binary | tr -d '\r')" = "$(printf '01001000\n01101001')" ]
fi
check "the unpacked link leads to the program" test -x "$root/usr/bin/glyphmill"
check "the copyright file names the MIT (Expat) licence" grep -qx "License: Expat" "$root/usr/share/doc/glyphmill/copyright"
if command -v lintian >/dev/null 2>&1; then
    check "lintian finds no error" lintian --fail-on error "$deb"
else
    echo "skip: lintian is not installed (scripts/install-deps.sh test installs it)"
fi

[ $failures -eq 0 ] || {
    echo "$failures check(s) failed"
    exit 1
}
echo "PASS"
