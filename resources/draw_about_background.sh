#!/bin/sh
# Draws the About window's 227 x 142 background picture (about_background.jpg):
# a night-blue to teal gradient, faint rows of the binary digits of
# "Glyphmill", and a gold mill wheel turning in the lower right corner.
# Needs ImageMagick; set CONVERT to pick a particular convert program.
set -eu
cd "$(dirname "$0")"
convert=${CONVERT:-convert}

# The program's name as eight-digit character codes, one long line of digits.
digits=$(printf 'Glyphmill' | od -An -tu1 | awk '{
    for (i = 1; i <= NF; i++) {
        code = $i; bits = ""
        for (b = 0; b < 8; b++) { bits = (code % 2) bits; code = int(code / 2) }
        line = line bits
    }
} END { print line line }')

# Each row starts further along the line, so the columns do not repeat.
rows=""
y=9
shift_by=0
while [ "$y" -le 140 ]; do
    row=$(printf '%s' "$digits" | cut -c "$((shift_by + 1))-$((shift_by + 40))")
    rows="$rows -annotate +2+$y $row"
    y=$((y + 11))
    shift_by=$(((shift_by + 13) % 72))
done

# The mill wheel: a rim, a hub and eight paddles, centred at (196, 114).
wheel="circle 196,114 196,86 circle 196,114 196,106"
for angle in 0 45 90 135 180 225 270 315; do
    set -- $(awk -v a="$angle" 'BEGIN {
        r = a * 3.14159265 / 180
        printf "%d %d %d %d", 196 + 8 * cos(r), 114 + 8 * sin(r), 196 + 34 * cos(r), 114 + 34 * sin(r)
    }')
    wheel="$wheel line $1,$2 $3,$4"
done

# shellcheck disable=SC2086 # the rows are separate arguments on purpose
"$convert" -size 142x227 gradient:'#101c3a-#1d6d74' -rotate -90 +repage \
    -font DejaVu-Sans-Mono -pointsize 9 -fill 'rgba(190,230,255,0.22)' $rows \
    -fill none -stroke '#e9b949' -strokewidth 3 -draw "$wheel" \
    -stroke none -fill '#f4d27a' -draw 'circle 196,114 196,110' \
    -strip -quality 92 -sampling-factor 1x1 about_background.jpg
