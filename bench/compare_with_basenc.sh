#!/bin/sh
# Compares glyphmill-convert with basenc --base2msbf (coreutils) on the same
# payload: MEBIBYTES of random bytes (without code 0, which the window's rules
# drop, so that both sides give back exactly the payload).
#   encode        text-to-binary PAYLOAD          vs  basenc --base2msbf -w0 PAYLOAD
#   decode        binary-to-text of its own CR LF  vs  basenc -d of its own
#                 lines                               output (-w0)
#   noisy decode  binary-to-text of noisy digits  vs  basenc -d of its own
#                 (noisy_digits glyphmill)            output, as for decode
#   strict        binary-to-text --strict of the  vs  basenc -d, as for decode
#                 CR LF lines
# Each side reads a regular file, then the same file through a pipe
# (cat FILE | ...), and writes to /dev/null. Every command runs RUNS times
# (default 7), the two sides in turns; the medians count and the ratio is
# basenc's time over ours. Wall-clock time is what a user waits; a machine
# shared with other work stretches it, so where perf works a second round
# gives the processor time (task-clock) of the two programs alone. Last,
# basenc -d -i on the same noise (noisy_digits basenc), which is far slower,
# from regular files and 3 runs each.
# Usage: bench/compare_with_basenc.sh [BUILD_DIR] [MEBIBYTES]
set -eu
build=${1:-build-cli-release}
mebibytes=${2:-64}
runs=${RUNS:-7}
tool="$build/convert/glyphmill-convert"
noisy="$build/bench/noisy_digits"
for program in "$tool" "$noisy"; do
  [ -x "$program" ] || { echo "missing $program: build $build first" >&2; exit 2; }
done
command -v basenc >/dev/null || { echo "basenc (coreutils 8.31 or later) is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
LC_ALL=C tr -d '\000' </dev/urandom | head -c $((mebibytes * 1024 * 1024)) >"$work/payload"
"$tool" text-to-binary "$work/payload" >"$work/ours-lines"
basenc --base2msbf -w0 "$work/payload" >"$work/basenc-digits"
"$noisy" glyphmill <"$work/payload" >"$work/ours-noisy"
"$noisy" basenc <"$work/payload" >"$work/basenc-noisy"

# Every decoder must give back the payload, or the times mean nothing.
check() {
  "$@" | cmp -s - "$work/payload" || { echo "not the payload: $*" >&2; exit 1; }
}
check "$tool" binary-to-text "$work/ours-lines"
check "$tool" binary-to-text "$work/ours-noisy"
check "$tool" binary-to-text --strict "$work/ours-lines"
check basenc -d --base2msbf "$work/basenc-digits"
check basenc -d -i --base2msbf "$work/basenc-noisy"

perf_usable=no
if command -v perf >/dev/null && perf stat -x, -e task-clock -o "$work/stat" true 2>/dev/null; then
  perf_usable=yes
fi

# once MEASURE MODE FILE COMMAND...: one run, reading FILE directly (file) or
# from a pipe (pipe); prints nanoseconds of wall-clock time (MEASURE=wall) or
# of processor time (MEASURE=cpu).
once() {
  measure=$1 mode=$2 file=$3
  shift 3
  if [ "$measure" = cpu ]; then
    set -- perf stat -x, -e task-clock -o "$work/stat" -- "$@"
  fi
  start=$(date +%s%N)
  if [ "$mode" = file ]; then
    "$@" "$file" >/dev/null
  else
    cat "$file" | "$@" >/dev/null
  fi
  end=$(date +%s%N)
  if [ "$measure" = cpu ]; then
    awk -F, '$3 == "task-clock" { printf "%.0f\n", $1 * 1e6 }' "$work/stat"
  else
    echo $((end - start))
  fi
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# compare MEASURE MODE NAME OUR_FILE BASENC_FILE OUR_COMMAND... -- BASENC_COMMAND...
compare() {
  measure=$1 mode=$2 name=$3 ours_file=$4 theirs_file=$5
  shift 5
  ours="" theirs=""
  while [ "$1" != -- ]; do ours="$ours $1"; shift; done
  shift
  theirs="$*"
  : >"$work/ours-times"
  : >"$work/theirs-times"
  round=0
  while [ $round -lt "$runs" ]; do
    # shellcheck disable=SC2086 # the commands are words without spaces
    once "$measure" "$mode" "$ours_file" $ours >>"$work/ours-times"
    # shellcheck disable=SC2086
    once "$measure" "$mode" "$theirs_file" $theirs >>"$work/theirs-times"
    round=$((round + 1))
  done
  # shellcheck disable=SC2086
  who=$(set -- $ours && basename "$1")
  awk -v name="$name" -v mode="$mode" -v measure="$measure" -v who="$who" \
      -v o="$(median <"$work/ours-times")" -v t="$(median <"$work/theirs-times")" 'BEGIN {
    printf "%-13s %-5s %-5s %-17s %8.1f ms | basenc %8.1f ms | ratio %6.2f\n",
      name, mode, measure, who, o / 1e6, t / 1e6, t / o
  }'
}

echo "payload: $mebibytes MiB of random bytes; medians of $runs alternating runs; ratio = basenc time / our time"
measures=wall
[ "$perf_usable" = yes ] && measures="wall cpu"
for measure in $measures; do
  for mode in file pipe; do
    compare "$measure" "$mode" encode "$work/payload" "$work/payload" \
      "$tool" text-to-binary -- basenc --base2msbf -w0
    compare "$measure" "$mode" decode "$work/ours-lines" "$work/basenc-digits" \
      "$tool" binary-to-text -- basenc -d --base2msbf
    compare "$measure" "$mode" "noisy decode" "$work/ours-noisy" "$work/basenc-digits" \
      "$tool" binary-to-text -- basenc -d --base2msbf
    compare "$measure" "$mode" strict "$work/ours-lines" "$work/basenc-digits" \
      "$tool" binary-to-text --strict -- basenc -d --base2msbf
  done
done
# Through a pipe the writer counts too: cat | cat on the same inputs shows what
# passing them through a pipe costs, beside basenc's whole decode or encode.
compare wall pipe "cat, lines" "$work/ours-lines" "$work/basenc-digits" \
  cat -- basenc -d --base2msbf
compare wall pipe "cat, payload" "$work/payload" "$work/payload" \
  cat -- basenc --base2msbf -w0
runs=3
compare wall file "noisy, -i" "$work/ours-noisy" "$work/basenc-noisy" \
  "$tool" binary-to-text -- basenc -d -i --base2msbf
