#!/bin/sh
# Glyphmill for 64-bit Windows, built and tested on Debian 12: installs what
# is missing, builds Qt for Windows once into a cache outside the tree
# (scripts/windows-qt.sh), cross-builds glyphmill.exe and glyphmill-convert.exe
# with MinGW-w64, runs every Windows test under Wine and packs
# glyphmill-<version>-windows-x64.zip.
# Usage: scripts/windows.sh [BUILD_DIR]   (default build/windows)
set -eu
cd "$(dirname "$0")/.."
root=$PWD
build=$(mkdir -p "${1:-build/windows}" && cd "${1:-build/windows}" && pwd)
started=$(date +%s)

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
# Wine runs the programs; GoogleTest's source is built for Windows below; the
# real-window test types into Xvfb with xdotool and reads the clipboard with
# xclip; python3 reads the executable's resources.
need="wine wine64 g++-mingw-w64-x86-64-posix mingw-w64-tools googletest cmake ninja-build
  xvfb xdotool xclip python3"
missing=""
for p in $need; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends $missing
fi

# Qt for Windows: an hour or more the first time, at once after.
qt=$(scripts/windows-qt.sh | tail -n1)

launcher=""
if command -v ccache >/dev/null; then
  launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# GoogleTest for Windows, from Debian's source of the version Linux uses.
gtest="$build/googletest"
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  # shellcheck disable=SC2086 # $launcher is a list of options
  cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest/install" -DBUILD_GMOCK=OFF \
    -DBUILD_SHARED_LIBS=OFF $launcher >/dev/null
  cmake --build "$gtest/build"
  cmake --install "$gtest/build" >/dev/null
fi

# The programs find the MinGW runtime and Qt's DLLs where they were built;
# the packed folder carries its own copies.
compiler=x86_64-w64-mingw32-g++-posix
runtime_dirs="$(dirname "$($compiler -print-file-name=libstdc++-6.dll)")"
runtime_dirs="$runtime_dirs:$(dirname "$($compiler -print-file-name=libwinpthread-1.dll)")"
# shellcheck disable=SC2086
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DGLYPHMILL_WERROR=ON -DGLYPHMILL_BUILD_BENCH=OFF \
  -DGTest_DIR="$gtest/install/lib/cmake/GTest" -DGLYPHMILL_WINE_DLL_PATHS="$qt/bin" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine $launcher
cmake --build "$build"

# Under Wine, with a prefix of its own in the build folder and no messages of
# Wine's own.
WINEPREFIX="$build/wineprefix" WINEDEBUG=-all && export WINEPREFIX WINEDEBUG
WINEPATH="Z:$qt/bin;Z:$(echo "$runtime_dirs" | sed 's/:/;Z:/g')" && export WINEPATH
ctest --test-dir "$build" --output-on-failure -j2

(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls "$build"/glyphmill-*-windows-x64.zip)
echo "$zip: $(du -k "$zip" | cut -f1) KiB, in $(($(date +%s) - started)) s"
