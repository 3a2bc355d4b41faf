#!/bin/bash
# Builds the Debian package and checks its fields and what it installs.
# Usage: debian_package_test.sh CPACK BUILD_DIR OUTPUT_DIR
set -u
cpack=${1:?} build=${2:?} out=${3:?}
command -v dpkg-shlibdeps >/dev/null || { echo "SKIP: no dpkg-dev (scripts/install-deps.sh test)"; exit 77; }
rm -rf "$out" && "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
deb=$(echo "$out"/*.deb)
[ "$(dpkg-deb -f "$deb" Package Version Description | head -n 3)" = \
    "$(printf 'Package: glyphmill\nVersion: 2.0.0.1\nDescription: Use It To Decode Binary Or Ascii')" ] ||
    { echo "FAIL: name, version, description"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: depends on Qt Widgets"; exit 1; }
# What it installs is the install tree installed_program_test.sh checks; lintian
# reports a missing copyright file or changelog.
! command -v lintian >/dev/null || lintian -I -E --pedantic --fail-on error,warning "$deb"
