#!/bin/sh
# Text to binary in each layout against basenc --base2msbf -w0 (coreutils) on
# the same payload: MEBIBYTES of random bytes in a regular file, output to
# /dev/null. For each NAME (crlf lf space none) the two programs run RUNS times
# (default 7) in turns; the medians of processor time (user + system, perf's
# task-clock) and of wall-clock time count, and the ratio is basenc's median
# over ours. Processor time is the figure to trust on a busy machine. First
# every layout is checked: none is byte for byte basenc's output, and
# binary-to-text --strict gives the payload back from each.
# Last, what every run of ours pays besides encoding: reading the payload (cat
# does the same) and starting the program.
# Usage: bench/separators_vs_basenc.sh [BUILD_DIR] [MEBIBYTES]
set -eu
. "$(dirname "$0")/in_turns.sh"
default_runs=7
take_arguments "$@"
command -v basenc >/dev/null || { echo "basenc (coreutils 8.31 or later) is needed" >&2; exit 2; }
command -v perf >/dev/null || { echo "perf is needed for processor times" >&2; exit 2; }

head -c $((mebibytes * 1024 * 1024)) /dev/urandom >"$work/payload"
names="crlf lf space none"
for name in $names; do
  "$tool" text-to-binary --separator="$name" "$work/payload" >"$work/digits"
  "$tool" binary-to-text --strict "$work/digits" | cmp -s - "$work/payload" ||
    { echo "--separator=$name: --strict does not give the payload back" >&2; exit 1; }
done
basenc --base2msbf -w0 "$work/payload" | cmp -s - "$work/digits" ||
  { echo "--separator=none differs from basenc's output" >&2; exit 1; }

# once COMMAND...: one run on the payload (or on INPUT); prints "cpu-ns wall-ns".
once() {
  start=$(date +%s%N)
  perf stat -x, -e task-clock -o "$work/stat" -- "$@" "${input:-$work/payload}" >/dev/null
  end=$(date +%s%N)
  awk -F, -v wall=$((end - start)) '$3 == "task-clock" { printf "%.0f %d\n", $1 * 1e6, wall }' \
    "$work/stat"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "payload: $mebibytes MiB of random bytes from a regular file; medians of $runs alternating runs"
echo "processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-6s | %-23s | %-23s | %-15s\n' NAME "ours cpu / wall (ms)" "basenc cpu / wall (ms)" "ratio cpu / wall"
for name in $names; do
  : >"$work/ours"
  : >"$work/theirs"
  round=0
  while [ $round -lt "$runs" ]; do
    once "$tool" text-to-binary --separator="$name" >>"$work/ours"
    once basenc --base2msbf -w0 >>"$work/theirs"
    round=$((round + 1))
  done
  oc=$(cut -d' ' -f1 "$work/ours" | median) ow=$(cut -d' ' -f2 "$work/ours" | median)
  tc=$(cut -d' ' -f1 "$work/theirs" | median) tw=$(cut -d' ' -f2 "$work/theirs" | median)
  awk -v n="$name" -v oc="$oc" -v ow="$ow" -v tc="$tc" -v tw="$tw" 'BEGIN {
    printf "%-6s | %9.1f / %9.1f   | %9.1f / %9.1f   | %6.2f / %6.2f\n",
      n, oc / 1e6, ow / 1e6, tc / 1e6, tw / 1e6, tc / oc, tw / ow
  }'
done
# What every run pays besides encoding: reading the payload, as cat does it,
# and starting the program (on an empty file).
: >"$work/empty"
: >"$work/cat"
: >"$work/start"
round=0
while [ $round -lt "$runs" ]; do
  once cat >>"$work/cat"
  input="$work/empty" once "$tool" text-to-binary >>"$work/start"
  round=$((round + 1))
done
echo "cat PAYLOAD >/dev/null: $(cut -d' ' -f1 "$work/cat" | median | awk '{ printf "%.1f", $1 / 1e6 }') ms cpu;" \
  "text-to-binary on an empty file: $(cut -d' ' -f1 "$work/start" | median | awk '{ printf "%.1f", $1 / 1e6 }') ms cpu"
