#!/bin/bash
# The bash completion of glyphmill-convert in a bash of its own. Each row: the
# completions expected, each as printf %q writes it, sorted, with HOME for the
# home folder; then the words of the line after the command name, the last
# one being completed (a line that ends in a space completes an empty word;
# \x20 is a space inside a word, \\ a backslash). The option names offered are
# the ones the program takes (convert_tests runs each of them).
# Usage: completion_test.sh COMPLETION_FILE TOOL
# shellcheck source=/dev/null
source "${1:?}" && cd "$(mktemp -d)" && touch a.txt b.bin 'a b.txt' "it's" $'new\nline' &&
    mkdir sub && export HOME=$PWD || exit 1
trap 'rm -rf "$PWD"' EXIT
[[ $(complete -p glyphmill-convert) == *" -F _glyphmill_convert "* ]] || { echo "FAIL: complete -p"; failures=1; }
while IFS='|' read -r want line; do
    # shellcheck disable=SC2086 # the words of the line, each read by %b
    mapfile -t COMP_WORDS < <(printf '%b\n' glyphmill-convert $line)
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _glyphmill_convert
    got=$( ((${#COMPREPLY[@]})) && printf '%q\n' "${COMPREPLY[@]//"$PWD"/HOME}" | LC_ALL=C sort | paste -sd' ')
    [[ $got == "$want" ]] || { echo "FAIL: '$line' gives '$got', not '$want'"; failures=1; }
done <<'ROWS'
--help --version binary-to-text number-to-binary text-to-binary| 
-- --encoding= --help --separator= --version -s|text-to-binary -
--window-rules|binary-to-text --w
crlf lf none space|text-to-binary --separator =
space|text-to-binary a.txt --separator = sp
lf|text-to-binary -s l
bytes utf-8|binary-to-text --encoding 
--encoding=utf-8|text-to-binary --encoding=u
$'new\nline' a.txt a\ b.txt b.bin it\'s sub|binary-to-text 
a.txt a\ b.txt|text-to-binary -s none a
a.txt a\ b.txt|binary-to-text 'a
a\ b.txt|text-to-binary "a\x20b
it\'s|binary-to-text it\\'
HOME/a.txt HOME/a\ b.txt|binary-to-text ~/a
|binary-to-text -- --st
|encode -
ROWS
exit "${failures:-0}"
