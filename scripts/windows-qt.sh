#!/bin/sh
# Builds Qt for Windows (x86-64, MinGW-w64) once, from Debian's own source of
# the Qt version the Linux build uses, into a cache outside the tree. Later
# runs find the finished install and return at once.
# Usage: windows-qt.sh   (prints the install prefix on its last line)
set -eu

qt_version=6.4.2
cache="${GLYPHMILL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/glyphmill}"
prefix="$cache/qt-$qt_version-mingw64"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
# One build at a time: a second run (another scripts/windows.sh) waits for the
# first and then finds its install, rather than deleting the build under it.
mkdir -p "$cache"
exec 9>"$cache/qt-$qt_version.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
apt_get() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 "$@"; }

# Sources come from the archive the binary packages come from.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
    $sudo tee /etc/apt/sources.list.d/glyphmill-src.sources >/dev/null
  apt_get update -qq
fi
need="g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools"
missing=""
for p in $need; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends $missing
fi

work="$cache/qt-$qt_version-source"
mkdir -p "$work"
src=$(find "$work" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
if [ -z "$src" ]; then
  (cd "$work" && apt-get source --download-only qt6-base="$qt_version*" >/dev/null 2>&1 ||
    apt-get source --download-only qt6-base)
  (cd "$work" && dpkg-source --no-check -x ./qt6-base_"$qt_version"*.dsc >/dev/null)
  src=$(find "$work" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
fi

build="$work/build"
rm -rf "$build" "$prefix"
mkdir -p "$build"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_SYSTEM_NAME=Windows \
  -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc-posix \
  -DCMAKE_CXX_COMPILER=x86_64-w64-mingw32-g++-posix \
  -DCMAKE_RC_COMPILER=x86_64-w64-mingw32-windres \
  -DCMAKE_FIND_ROOT_PATH=/usr/x86_64-w64-mingw32 \
  -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
  -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
  -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
  -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF \
  -DFEATURE_jpeg=ON -DFEATURE_gif=OFF -DFEATURE_ico=ON \
  -DFEATURE_opengl=ON -DFEATURE_opengl_dynamic=ON \
  -DFEATURE_sql_sqlite=OFF -DFEATURE_vulkan=OFF
cmake --build "$build" --parallel "$(nproc)"
cmake --install "$build" >/dev/null
touch "$prefix/.complete"
echo "$prefix"
