#!/bin/bash
# The bash completion of glyphmill-convert in a bash of its own. Each row: the
# completions expected, sorted, then the words of the line after the command
# name, the last one being completed (a line that ends in a space completes an
# empty word). The separator names offered are the ones the program takes
# (convert_tests runs each of them).
# Usage: completion_test.sh COMPLETION_FILE TOOL
# shellcheck source=/dev/null
source "${1:?}" && cd "$(mktemp -d)" && touch a.txt b.bin && mkdir sub || exit 1
trap 'rm -rf "$PWD"' EXIT
[[ $(complete -p glyphmill-convert) == *" -F _glyphmill_convert "* ]] || { echo "FAIL: complete -p"; failures=1; }
while IFS='|' read -r want line; do
    read -ra COMP_WORDS <<<"glyphmill-convert $line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _glyphmill_convert
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
    [[ $got == "$want" ]] || { echo "FAIL: '$line' gives '$got', not '$want'"; failures=1; }
done <<'ROWS'
--help --version binary-to-text number-to-binary text-to-binary| 
binary-to-text|bi
-- --help --separator= --version -s|text-to-binary -
--strict|binary-to-text --st
crlf lf none space|text-to-binary --separator =
space|text-to-binary a.txt --separator = sp
lf|text-to-binary -s l
--separator=crlf|text-to-binary --separator=cr
a.txt b.bin sub|binary-to-text 
a.txt|text-to-binary -s none a
|binary-to-text -- --st
|encode -
ROWS
exit "${failures:-0}"
