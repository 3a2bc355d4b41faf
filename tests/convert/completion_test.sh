#!/bin/bash
# The bash completion of glyphmill-convert in a bash of its own: each row gives
# the completions expected, then the words of the line as bash splits them,
# the last one being completed. Their order does not count.
# Usage: completion_test.sh COMPLETION_FILE
set -u
# shellcheck source=/dev/null
source "${1:?}"
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT && touch a.txt b.bin && mkdir sub || exit 1
failures=0
expect() {
    local want=$1
    shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
    COMPREPLY=(stale)
    _glyphmill_convert
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    [[ $got == "$(tr ' ' '\n' <<<"$want" | sort | paste -sd' ')" ]] ||
        { echo "FAIL: '$*' gives '$got', not '$want'"; failures=$((failures + 1)); }
}
[[ $(complete -p glyphmill-convert) == "complete -F _glyphmill_convert glyphmill-convert" ]] ||
    { echo "FAIL: complete -p gives '$(complete -p glyphmill-convert 2>&1)'"; failures=1; }
t=text-to-binary b=binary-to-text n=number-to-binary
expect "$t $b $n --help --version" glyphmill-convert ""
expect "$b" glyphmill-convert bi
expect "--separator= -s --help --version --" glyphmill-convert $t -
expect "--strict" glyphmill-convert $b --st
expect "--help --version --" glyphmill-convert $n --
expect "crlf lf space none" glyphmill-convert $t --separator =
expect "space" glyphmill-convert $t a.txt --separator = sp
expect "none" glyphmill-convert $t --separator n
expect "lf" glyphmill-convert $t -s l
# Where "=" does not break words.
expect "--separator=crlf" glyphmill-convert $t --separator=cr
expect "a.txt b.bin sub" glyphmill-convert $b ""
expect "a.txt" glyphmill-convert $t --separator = lf a
expect "" glyphmill-convert $b -- --st
expect "" glyphmill-convert $n 1
expect "" glyphmill-convert $b --separator =
expect "" glyphmill-convert encode -
exit $((failures > 0))
