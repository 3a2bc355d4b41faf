#!/bin/sh
# Compares glyphmill-convert with basenc (coreutils) side by side on the same
# machine in one run, writing to /dev/null, and prints the throughput ratios
# in input bytes per second:
#   text-to-binary of 64 MiB of random bytes   vs  basenc --base2msbf -w0
#   binary-to-text of the tool's CR LF lines   vs  basenc -d --base2msbf (its own output)
#   binary-to-text of noisy digits             vs  the same basenc -d, and basenc -d -i
#                                                  (garbage ignored) on the noisy digits
# Every command runs RUNS times (default 5), the two sides in turns; the
# best wall-clock time counts, which a busy machine disturbs least.
# Usage: bench/compare_with_basenc.sh [BUILD_DIR] [MEBIBYTES]
set -eu
build=${1:-build-cli-release}
mebibytes=${2:-64}
runs=${RUNS:-5}
tool="$build/convert/glyphmill-convert"
noisy="$build/bench/noisy_digits"
for program in "$tool" "$noisy"; do
  [ -x "$program" ] || { echo "missing $program: build $build first" >&2; exit 2; }
done
command -v basenc >/dev/null || { echo "basenc (coreutils 8.31 or later) is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
head -c $((mebibytes * 1024 * 1024)) /dev/urandom >"$work/data"
basenc --base2msbf -w0 "$work/data" >"$work/basenc-digits"
"$tool" text-to-binary "$work/data" >"$work/lines"
"$noisy" $((mebibytes * 10)) >"$work/noisy"

# Best wall-clock time of one command, in nanoseconds.
best_ns() {
  best=""
  i=0
  while [ $i -lt "$runs" ]; do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    elapsed=$((end - start))
    if [ -z "$best" ] || [ $elapsed -lt $best ]; then best=$elapsed; fi
    i=$((i + 1))
  done
  echo "$best"
}

size() { wc -c <"$1"; }

# compare NAME OUR_INPUT BASENC_INPUT -- OUR_COMMAND... -- BASENC_COMMAND...
compare() {
  name=$1 ours_in=$2 theirs_in=$3
  shift 3
  ours=""
  theirs=""
  while [ "$1" != -- ]; do ours="$ours $1"; shift; done
  shift
  theirs="$*"
  ours_best="" theirs_best=""
  round=0
  while [ $round -lt "$runs" ]; do
    t=$(RUNS=1 best_ns $ours "$ours_in")
    if [ -z "$ours_best" ] || [ "$t" -lt "$ours_best" ]; then ours_best=$t; fi
    t=$(RUNS=1 best_ns $theirs "$theirs_in")
    if [ -z "$theirs_best" ] || [ "$t" -lt "$theirs_best" ]; then theirs_best=$t; fi
    round=$((round + 1))
  done
  awk -v name="$name" -v ob="$(size "$ours_in")" -v ot="$ours_best" \
      -v tb="$(size "$theirs_in")" -v tt="$theirs_best" 'BEGIN {
    ours = ob / ot * 1000; theirs = tb / tt * 1000
    printf "%-40s glyphmill-convert %7.1f ms %8.1f MB/s | basenc %7.1f ms %8.1f MB/s | ratio %5.2f\n",
      name, ot / 1e6, ours, tt / 1e6, theirs, ours / theirs
  }'
}

echo "input: $mebibytes MiB of random bytes; best of $runs runs each; throughput in input bytes"
compare "text-to-binary" "$work/data" "$work/data" \
  "$tool" text-to-binary -- basenc --base2msbf -w0
compare "binary-to-text, CR LF lines" "$work/lines" "$work/basenc-digits" \
  "$tool" binary-to-text -- basenc -d --base2msbf
compare "binary-to-text, noisy" "$work/noisy" "$work/basenc-digits" \
  "$tool" binary-to-text -- basenc -d --base2msbf
compare "binary-to-text, noisy (basenc -i)" "$work/noisy" "$work/noisy" \
  "$tool" binary-to-text -- basenc -d -i --base2msbf
compare "binary-to-text --strict, CR LF lines" "$work/lines" "$work/basenc-digits" \
  "$tool" binary-to-text --strict -- basenc -d --base2msbf
