#!/bin/sh
# Compares glyphmill-convert with basenc --base2msbf (coreutils) on the same
# payload: MEBIBYTES of random bytes (without code 0, which the window's rules
# drop, so that both sides give back exactly the payload).
#   encode        text-to-binary PAYLOAD          vs  basenc --base2msbf -w0 PAYLOAD
#   decode        binary-to-text of its own CR LF  vs  basenc -d of its own
#                 lines (-s crlf)                     output (-w0)
#   noisy decode  binary-to-text --window-rules   vs  basenc -d of its own
#                 of noisy digits (noisy_digits       output, as for decode
#                 glyphmill)
#   window        binary-to-text --window-rules   vs  basenc -d, as for decode
#                 of the CR LF lines
# Each side reads a regular file, then the same file through a pipe
# (cat FILE | ...), and writes to /dev/null. timed_run measures each program
# alone: wall-clock time, processor time (user + system; the system's share
# of ours shown apart, mostly copying the input) and peak memory; through a
# pipe, cat's processor time too, the cost of the pipe the tool should not
# exceed. Every command runs RUNS times (default 5), the two
# sides in turns; the table gives medians, and ratios of basenc's time over
# ours. On a shared machine the processor times are the figures to trust.
# Last, basenc -d -i on the same noise (noisy_digits basenc), which is far
# slower, from regular files and 3 runs each.
# Usage: bench/compare_with_basenc.sh [BUILD_DIR] [MEBIBYTES]
set -eu
. "$(dirname "$0")/in_turns.sh"
build=${1:-build-cli-release}
mebibytes=${2:-64}
runs=${RUNS:-5}
tool="$build/convert/glyphmill-convert"
noisy="$build/bench/noisy_digits"
timed="$build/bench/timed_run"
for program in "$tool" "$noisy" "$timed"; do
  [ -x "$program" ] || { echo "missing $program: build $build first" >&2; exit 2; }
done
command -v basenc >/dev/null || { echo "basenc (coreutils 8.31 or later) is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
LC_ALL=C tr -d '\000' </dev/urandom | head -c $((mebibytes * 1024 * 1024)) >"$work/payload"
"$tool" text-to-binary -s crlf "$work/payload" >"$work/ours-lines"
basenc --base2msbf -w0 "$work/payload" >"$work/basenc-digits"
"$noisy" glyphmill <"$work/payload" >"$work/ours-noisy"
"$noisy" basenc <"$work/payload" >"$work/basenc-noisy"

# Every decoder must give back the payload, or the times mean nothing.
check() {
  "$@" | cmp -s - "$work/payload" || { echo "not the payload: $*" >&2; exit 1; }
}
check "$tool" binary-to-text "$work/ours-lines"
check "$tool" binary-to-text --window-rules "$work/ours-noisy"
check "$tool" binary-to-text --window-rules "$work/ours-lines"
check basenc -d --base2msbf "$work/basenc-digits"
check basenc -d -i --base2msbf "$work/basenc-noisy"

# once MODE FILE COMMAND...: one run reading FILE directly (file) or from
# cat FILE | (pipe); prints the program's wall-clock seconds, processor
# seconds, system seconds and peak KiB, then cat's processor seconds (0 for
# a file).
once() {
  mode=$1 file=$2
  shift 2
  if [ "$mode" = file ]; then
    "$timed" "$work/program" "$@" "$file" >/dev/null
    echo 0,0,0,0 >"$work/cat"
  else
    "$timed" "$work/cat" cat "$file" | "$timed" "$work/program" "$@" >/dev/null
  fi
  awk -F, 'NR == 1 { w = $1; c = $2 + $3; s = $3; m = $4 }
           NR == 2 { print w, c, s, m, $2 + $3 }' \
    "$work/program" "$work/cat"
}

# The median of column COLUMN of a file of runs.
median() {
  awk -v c="$2" '{ print $c }' "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# compare MODE NAME OUR_FILE BASENC_FILE OUR_COMMAND... -- BASENC_COMMAND...
compare() {
  mode=$1 name=$2
  shift 2
  in_turns "once $mode" "$@"
  awk -v name="$name" -v mode="$mode" \
      -v ow="$(median "$work/ours" 1)" -v tw="$(median "$work/theirs" 1)" \
      -v oc="$(median "$work/ours" 2)" -v tc="$(median "$work/theirs" 2)" \
      -v os="$(median "$work/ours" 3)" -v om="$(median "$work/ours" 4)" \
      -v cc="$(median "$work/ours" 5)" 'BEGIN {
    printf "| %-12s | %-4s | %9.3f | %11.3f | %10.2f | %8.3f | %8.3f | %10.3f | %9.2f | %7s | %13d |\n",
      name, mode, ow, tw, (ow > 0 ? tw / ow : 0), oc, os, tc, (oc > 0 ? tc / oc : 0),
      (mode == "pipe" ? sprintf("%.3f", cc) : "-"), om
  }'
}

echo "processor: $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores;" \
  "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "payload: $mebibytes MiB of random bytes; medians of $runs alternating runs;" \
  "ratio = basenc's time / ours; times in seconds, peak memory in KiB"
echo
echo "| case         | from | ours wall | basenc wall | wall ratio | ours CPU | ours sys | basenc CPU | CPU ratio | cat CPU | ours peak KiB |"
echo "|--------------|------|-----------|-------------|------------|----------|----------|------------|-----------|---------|---------------|"
for mode in file pipe; do
  compare "$mode" encode "$work/payload" "$work/payload" \
    "$tool" text-to-binary -s crlf -- basenc --base2msbf -w0
  compare "$mode" decode "$work/ours-lines" "$work/basenc-digits" \
    "$tool" binary-to-text -- basenc -d --base2msbf
  compare "$mode" "noisy decode" "$work/ours-noisy" "$work/basenc-digits" \
    "$tool" binary-to-text --window-rules -- basenc -d --base2msbf
  compare "$mode" window "$work/ours-lines" "$work/basenc-digits" \
    "$tool" binary-to-text --window-rules -- basenc -d --base2msbf
done
runs=3
compare file "noisy, -i" "$work/ours-noisy" "$work/basenc-noisy" \
  "$tool" binary-to-text --window-rules -- basenc -d -i --base2msbf
echo
echo "Through a pipe the goal is ours CPU <= cat CPU (cat writing the same file into the pipe)."
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
