#!/bin/bash
# The bash completion of glyphmill-convert in a bash of its own: each row gives
# the completions expected, then the words of the line as bash splits them,
# the last one being completed. Their order does not count.
# Usage: completion_test.sh COMPLETION_FILE TOOL
set -u
# shellcheck source=/dev/null
source "${1:?}"
tool=${2:?}
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
# The names it offers are the ones the tool takes.
expect "crlf lf space none" glyphmill-convert $t -s ""
for name in "${COMPREPLY[@]}" tab; do
    "$tool" $t -s "$name" </dev/null 2>/dev/null
    status=$? want=0
    [[ $name == tab ]] && want=2
    [[ $status == "$want" ]] || { echo "FAIL: -s $name exits with $status"; failures=$((failures + 1)); }
done
exit $((failures > 0))
