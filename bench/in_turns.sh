# Sourced by the benchmark scripts.

# take_arguments [BUILD_DIR] [MEBIBYTES] (RUNS from the environment, else
# DEFAULT_RUNS): sets build, mebibytes, runs and tool, the build's
# glyphmill-convert, and makes the scratch folder $work.
take_arguments() {
  build=${1:-build/release}
  mebibytes=${2:-64}
  runs=${RUNS:-$default_runs}
  tool="$build/convert/glyphmill-convert"
  [ -x "$tool" ] || { echo "missing $tool: build $build first" >&2; exit 2; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT INT TERM
}

# in_turns MEASURE OUR_FILE THEIR_FILE OURS... -- THEIRS...: runs MEASURE
# OUR_FILE OURS... and MEASURE THEIR_FILE THEIRS... $runs times, in turns, so
# that both meet the same load; their outputs gather in $work/ours and
# $work/theirs. Leaves THEIRS in $theirs.
in_turns() {
  measure=$1 ours_file=$2 theirs_file=$3
  shift 3
  ours="" theirs=""
  while [ "$1" != -- ]; do ours="$ours $1"; shift; done
  shift
  theirs="$*"
  : >"$work/ours"
  : >"$work/theirs"
  round=0
  while [ $round -lt "$runs" ]; do
    # shellcheck disable=SC2086 # MEASURE and the commands are words without spaces
    $measure "$ours_file" $ours >>"$work/ours"
    # shellcheck disable=SC2086
    $measure "$theirs_file" $theirs >>"$work/theirs"
    round=$((round + 1))
  done
}
