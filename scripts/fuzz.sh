#!/bin/sh
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each on a copy of its initial corpus (so that the
# repository stays as it is), the targets sharing a bounded time equally.
# Fails when a target finds a crash, a sanitizer report or a mismatch; prints
# how many inputs each ran.
#
# Usage: fuzz.sh [SECONDS [TARGET...]]   (default 120 seconds in all, every target)
# GLYPHMILL_FUZZ_BUILD sets the build folder (default build/fuzz).
set -eu
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-120}
[ $# -gt 0 ] && shift
build=${GLYPHMILL_FUZZ_BUILD:-build/fuzz}

scripts/install-deps.sh test

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGLYPHMILL_BUILD_GUI=OFF -DGLYPHMILL_BUILD_TESTS=OFF -DGLYPHMILL_BUILD_BENCH=OFF \
  -DGLYPHMILL_FUZZ=ON -DGLYPHMILL_WERROR=ON
cmake --build "$build"

if [ $# -gt 0 ]; then
  targets="$*"
else
  targets=$(cd fuzz && ls ./*_fuzzer.cpp | sed 's|^\./||; s|_fuzzer\.cpp$||')
fi
count=$(echo $targets | wc -w)
per_target=$(( seconds / count > 0 ? seconds / count : 1 ))

# The largest input: the model takes time in proportion to the length, and
# longer inputs find little more.
max_len=1024

scratch=$(mktemp -d "${TMPDIR:-/tmp}/glyphmill-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
symbolizer=$(command -v llvm-symbolizer || true)
failed=""
summary=""
for target in $targets; do
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/findings"
  if [ -d "fuzz/corpus/$target" ]; then
    cp -R "fuzz/corpus/$target/." "$scratch/$target/corpus/"
  fi
  log="$scratch/$target/log"
  echo "Fuzzing $target for $per_target s"
  status=0
  ASAN_SYMBOLIZER_PATH=$symbolizer \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$root/$build/fuzz/${target}_fuzzer" -max_total_time="$per_target" \
      -max_len="$max_len" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$scratch/$target/findings/" "$scratch/$target/corpus" \
      >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$scratch/$target/findings")" ]; then
    echo "FAILED: $target (exit status $status)"
    tail -n 60 "$log"
    for finding in "$scratch/$target/findings"/*; do
      [ -f "$finding" ] || continue
      echo "Input of $(basename "$finding") ($(wc -c <"$finding") bytes, hexadecimal):"
      od -A d -t x1 "$finding" | head -n 40
    done
    failed="$failed $target"
  fi
  summary="$summary$(printf '%-18s %12s runs' "$target" "${runs:-?}")
"
done

echo "Fuzzing, $per_target s per target:"
printf '%s' "$summary"
if [ -n "$failed" ]; then
  echo "Fuzzing found faults in:$failed"
  exit 1
fi
