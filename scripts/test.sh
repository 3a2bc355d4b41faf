#!/bin/sh
# Installs what is missing, builds everything with warnings as errors and runs
# every test: once in a normal build, once under the address and
# undefined-behaviour sanitizers.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

# The benchmarks are built too, so that they keep compiling; they run on demand.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHMILL_WERROR=ON \
  -DGLYPHMILL_BUILD_BENCH=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j2

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLYPHMILL_WERROR=ON \
  -DGLYPHMILL_SANITIZE=ON -DGLYPHMILL_BUILD_BENCH=OFF
cmake --build build/sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build/sanitize --output-on-failure -j2

# A screen reader's random questions and edits to the real window for 40 s,
# under the sanitizers: every answer comes at once and reads what the box holds.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  tests/program/screen_reader_test.sh screen_reader_test.py build/sanitize/glyphmill --fuzz 40

# Every fuzz target for a bounded time (two minutes in all).
scripts/fuzz.sh
