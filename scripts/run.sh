#!/bin/sh
# Installs what is missing, builds Glyphmill and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DGLYPHMILL_BUILD_TESTS=OFF -DGLYPHMILL_BUILD_BENCH=OFF
cmake --build build/release
exec build/release/glyphmill "$@"
