#!/bin/sh
# glyphmill-convert.exe under Wine against the Linux build, on the same
# payload (MEBIBYTES of random bytes): text-to-binary of the payload, and
# binary-to-text of its lines, each reading a regular file and writing to
# /dev/null. Each run's processor time (user + system) is that of every
# process it starts, waited for to the last (Wine hands the program to a
# process of its own); under Wine the time the Wine server spent for the run
# is added, read from the server's own counters. Each command runs RUNS
# times (default 5), the two sides in turns; the table gives medians, and
# the same for --version, what starting a program costs on each side.
# Usage: bench/wine_vs_linux.sh LINUX_BUILD WINDOWS_BUILD [MEBIBYTES]
set -eu
. "$(dirname "$0")/in_turns.sh"
default_runs=5
windows=${2:?usage: wine_vs_linux.sh LINUX_BUILD WINDOWS_BUILD [MEBIBYTES]}
take_arguments "$1" "${3:-}"
exe="$windows/convert/glyphmill-convert.exe"
[ -f "$exe" ] || { echo "missing $exe" >&2; exit 2; }
command -v wine >/dev/null || { echo "wine is needed" >&2; exit 2; }
dlls="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
dlls="$dlls:$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")"
wine_run="$(cd "$(dirname "$0")/.." && pwd)/cmake/wine-run.sh"
prefix="$(cd "$windows" && pwd)/wineprefix"

head -c $((mebibytes * 1024 * 1024)) /dev/urandom >"$work/payload"
"$tool" text-to-binary "$work/payload" >"$work/lines"
sh "$wine_run" "$prefix" "$dlls" "$exe" binary-to-text "$work/lines" | cmp -s - "$work/payload" ||
  { echo "the Windows build does not give back the payload" >&2; exit 1; }
# One server for every run, started before the first is measured.
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
WINEPREFIX="$prefix" wineserver -p
# The prefix's server works in a folder named after the prefix's device and inode.
folder=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")
server=""
for pid in $(pgrep wineserver); do
  case $(readlink "/proc/$pid/cwd") in */"$folder") server=$pid ;; esac
done
[ -n "$server" ] || { echo "no Wine server for $prefix" >&2; exit 1; }
# The services Wine starts with a prefix run from here on, outside the runs.
sh "$wine_run" "$prefix" "$dlls" "$exe" --version >/dev/null

# Processor seconds of the Wine server so far.
server_seconds() {
  awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) / tick }' "/proc/$server/stat"
}

# measure FILE COMMAND...: one run; prints its processor seconds.
measure() {
  file=$1
  shift
  before=$(server_seconds)
  python3 -c '
import ctypes, os, resource, sys
ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER: orphans come here
before = resource.getrusage(resource.RUSAGE_CHILDREN)
if os.fork() == 0:
    os.execvp(sys.argv[2], sys.argv[2:])
while True:
    try:
        os.wait()
    except ChildProcessError:
        break
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
open(sys.argv[1], "w").write(f"{usage.ru_utime - before.ru_utime},{usage.ru_stime - before.ru_stime}\n")
' "$work/time" "$@" ${file:+"$file"} >/dev/null
  after=$(server_seconds)
  if [ "$1" = sh ]; then add="$after - $before"; else add=0; fi
  awk -F, -v add="$(echo "$add" | bc -l)" '{ printf "%.3f\n", $1 + $2 + add }' "$work/time"
}
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), ${mebibytes} MiB, $runs runs"
printf '%-16s %10s %10s %8s\n' command "linux s" "wine s" ratio
for row in "text-to-binary payload" "binary-to-text lines" "--version -"; do
  set -- $row
  command=$1 file="$work/$2"
  [ "$2" = - ] && command="$1" file=""
  in_turns measure "$file" "$file" "$tool" $command -- sh "$wine_run" "$prefix" "$dlls" "$exe" $command
  linux=$(median "$work/ours") wine=$(median "$work/theirs")
  printf '%-16s %10s %10s %8.2f\n' "$1" "$linux" "$wine" "$(echo "$wine / $linux" | bc -l)"
done
WINEPREFIX="$prefix" wineserver -k
