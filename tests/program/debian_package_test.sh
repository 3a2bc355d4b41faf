#!/bin/bash
# Builds the Debian package and checks its fields and what it installs.
# Usage: debian_package_test.sh CPACK BUILD_DIR OUTPUT_DIR
set -u
cpack=${1:?} build=${2:?} out=${3:?} failures=0
command -v dpkg-shlibdeps >/dev/null || { echo "SKIP: no dpkg-dev (scripts/install-deps.sh test)"; exit 77; }
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
rm -rf "$out"
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
deb=$(echo "$out"/*.deb)
check "name, version, description" [ "$(dpkg-deb -f "$deb" Package Version Description | head -n 3)" = \
    "$(printf 'Package: glyphmill\nVersion: 2.0.0.1\nDescription: Use It To Decode Binary Or Ascii')" ]
check "depends on Qt Widgets" grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$deb" Depends)"
# What it installs is the install tree installed_program_test.sh checks; lintian
# reports a missing copyright file or changelog.
if command -v lintian >/dev/null; then
    check "lintian finds nothing above informational" lintian -I -E --pedantic --fail-on error,warning "$deb"
fi
[ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
