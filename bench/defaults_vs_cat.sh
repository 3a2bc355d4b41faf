#!/bin/sh
# glyphmill-convert's defaults against cat and basenc --base2msbf (coreutils),
# side by side in one run: processor time (user + system, perf's task-clock),
# medians of RUNS (default 7) runs taken in turns; input from a regular file,
# output to /dev/null.
#   binary-to-text, for each layout text-to-binary writes (crlf, lf, space,
#     none) of MEBIBYTES of random bytes: against cat of the same file, the
#     least any reader of it can take, and against basenc -d of its own -w0
#     output of the same payload (ratio: basenc's time over ours).
#   text-to-binary (LF) of the payload against basenc -w0 of it.
#   --encoding=utf-8, both ways, on MEBIBYTES of text that is mostly ASCII
#     (one character in twenty accented) and of text that is mostly accented
#     letters (one in ten ASCII): against basenc -w0 of the same text, and
#     basenc -d of its own output of it.
# Every output is checked first: each decoder gives its payload back.
# Usage: bench/defaults_vs_cat.sh [BUILD_DIR] [MEBIBYTES]
set -eu
. "$(dirname "$0")/in_turns.sh"
default_runs=7
take_arguments "$@"
for program in basenc perf python3; do
  command -v $program >/dev/null || { echo "$program is needed" >&2; exit 2; }
done

head -c $((mebibytes * 1024 * 1024)) /dev/urandom >"$work/payload"
# text FILE ACCENTED_IN_100: random letters, ACCENTED_IN_100 of them from
# U+00C0 to U+00FF (two bytes in UTF-8), the others ASCII letters and spaces.
text() {
  python3 - "$1" "$2" "$mebibytes" <<'PY'
import random, sys
path, accented, mebibytes = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(26)
letters = [chr(c).encode() for c in range(0xC0, 0x100)]
plain = [bytes([c]) for c in b"abcdefghijklmnopqrstuvwxyz      "]
table = letters * accented + plain * (100 - accented) * 2
with open(path, "wb") as out:
    written = 0
    while written < mebibytes << 20:
        written += out.write(b"".join(rng.choices(table, k=40000)))
PY
}
text "$work/ascii" 5
text "$work/accented" 90
for name in crlf lf space none; do
  "$tool" text-to-binary -s "$name" "$work/payload" >"$work/$name"
  "$tool" binary-to-text "$work/$name" | cmp -s - "$work/payload" ||
    { echo "-s $name does not come back" >&2; exit 1; }
done
for kind in payload ascii accented; do
  basenc --base2msbf -w0 "$work/$kind" >"$work/$kind.basenc"
done
for kind in ascii accented; do
  "$tool" text-to-binary --encoding=utf-8 "$work/$kind" >"$work/$kind.digits"
  "$tool" binary-to-text --encoding=utf-8 "$work/$kind.digits" | cmp -s - "$work/$kind" ||
    { echo "$kind text does not come back" >&2; exit 1; }
done

# cpu FILE COMMAND...: the processor nanoseconds of one run on FILE.
cpu() {
  file=$1
  shift
  perf stat -x, -e task-clock -o "$work/stat" -- "$@" "$file" >/dev/null
  awk -F, '$3 == "task-clock" { printf "%.0f\n", $1 * 1e6 }' "$work/stat"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# compare NAME OUR_FILE OTHER_FILE OUR_COMMAND... -- OTHER_COMMAND...: the
# medians of both, in ms, and the other's over ours.
compare() {
  label=$1
  shift
  in_turns cpu "$@"
  awk -v n="$label" -v o="$(median <"$work/ours")" -v t="$(median <"$work/theirs")" -v c="$theirs" \
    'BEGIN { printf "| %-34s | %8.1f | %-34s | %8.1f | %6.2f |\n", n, o / 1e6, c, t / 1e6, t / o }'
}

echo "processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores;" \
  "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$mebibytes MiB payload; processor time (user + system), medians of $runs runs in turns, ms"
echo
echo "| ours                               |  ms      | against                            |  ms      | theirs / ours |"
echo "|------------------------------------|----------|------------------------------------|----------|--------|"
for name in crlf lf space none; do
  compare "binary-to-text of -s $name" "$work/$name" "$work/$name" "$tool" binary-to-text -- cat
  compare "binary-to-text of -s $name" "$work/$name" "$work/payload.basenc" \
    "$tool" binary-to-text -- basenc -d --base2msbf
done
compare "text-to-binary" "$work/payload" "$work/payload" "$tool" text-to-binary -- \
  basenc --base2msbf -w0
for kind in ascii accented; do
  compare "text-to-binary utf-8, $kind" "$work/$kind" "$work/$kind" \
    "$tool" text-to-binary --encoding=utf-8 -- basenc --base2msbf -w0
  compare "binary-to-text utf-8, $kind" "$work/$kind.digits" "$work/$kind.basenc" \
    "$tool" binary-to-text --encoding=utf-8 -- basenc -d --base2msbf
done
echo
echo "Goals: binary-to-text at most 1.4 x cat (cat / ours >= 0.71) and at least 5 x basenc -d;"
echo "text-to-binary at least 10 x basenc -w0; utf-8 both ways at least 4 x basenc."
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
