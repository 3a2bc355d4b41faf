#!/bin/sh
# Installs the Debian packages that building and testing Glyphmill need,
# only when some are missing. Usage: install-deps.sh run|test
set -eu

packages="build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
  qt6-image-formats-plugins libgl-dev fonts-liberation2"
if [ "${1:-run}" = test ]; then
  packages="$packages libgtest-dev libbenchmark-dev at-spi2-core python3-pyatspi dbus-daemon
    xvfb xdotool xclip appstream desktop-file-utils groff-base dpkg-dev lintian
    clang libclang-rt-dev llvm time dbus qt6ct"
fi

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
