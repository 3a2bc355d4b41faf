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
# Wine runs the programs; GoogleTest's source is built for Windows with the
# project; the real-window test types into Xvfb with xdotool and reads the clipboard with
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
# The toolchain runs the tests under Wine, with a prefix of its own in the build
# folder; they find Qt's DLLs where Qt was installed (the packed folder
# carries its own copies). GoogleTest is built for Windows with the project.
# shellcheck disable=SC2086 # $launcher is a list of options
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHMILL_WERROR=ON -DGLYPHMILL_BUILD_BENCH=OFF \
  -DGLYPHMILL_WINE_DLL_PATHS="$qt/bin" $launcher
cmake --build "$build"
# Wine makes its prefix on a program's first run, which takes half a minute;
# made here, the tests' listing of their cases (5 s at most) need not wait.
mingw_dll() { dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")"; }
sh cmake/wine-run.sh "$build/wineprefix" "$(mingw_dll libstdc++-6.dll):$(mingw_dll libwinpthread-1.dll)" \
  "$build/convert/glyphmill-convert.exe" --version >/dev/null
ctest --test-dir "$build" --output-on-failure -j2

(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls "$build"/glyphmill-*-windows-x64.zip)
echo "$zip: $(du -k "$zip" | cut -f1) KiB, in $(($(date +%s) - started)) s"
