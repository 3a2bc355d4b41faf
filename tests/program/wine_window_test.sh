#!/bin/bash
# The Windows program as the zip unpacks it (installed into a folder of its
# own, with the DLLs, plugins and help.cfg beside it, and no other folder to
# find DLLs in), under Wine in a real X window of a private Xvfb display:
# types "Hi", presses F4 and copies the answer box as another X client reads
# it; opens "Did U Know", whose tip comes from help.cfg beside the program;
# opens "About", which closes itself; ends with "Exit" and status 0; and
# ends again, as "Exit" ends it, when the session ends.
# The command-line tool runs from the same folder.
# Usage: wine_window_test.sh CMAKE BUILD_DIR OUTPUT_DIR
# Exit status 77 when a tool is missing.
set -u
cmake=${1:?} build=${2:?} out=${3:?} xvfb="" app=""
for tool in Xvfb xdotool xclip wine wineserver; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool (scripts/windows.sh installs it)"; exit 77; }
done
rm -rf "$out" && mkdir -p "$out/screen" || exit 1
folder=$out/Glyphmill
# A prefix of its own, so that Wine's desktop process and its clipboard
# belong to this display; no .NET or browser engine to offer to install.
export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
unset WINEPATH
trap 'kill -KILL $app 2>/dev/null; wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
fail() { echo "FAIL: $*"; cat "$out/program.log" 2>/dev/null; exit 1; }
# waits COMMAND...: COMMAND succeeds within 30 s (Wine starts slowly on a busy machine).
waits() { for _ in $(seq 300); do "$@" && return; sleep 0.1; done; false; }
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
gone() { ! shown "$1"; }
# The "Files" menu of the main window, given the focus again first.
menu() { timeout 5 xdotool windowfocus --sync "$main" && xdotool key Alt_L && sleep 0.5 && xdotool key --delay 150 "$@"; }
# The screen once it has stopped changing, as $out/screen/NAME.
screen() {
    for _ in $(seq 50); do
        sleep 0.3 && cp "$out/screen/Xvfb_screen0" "$out/screen/$1"
        sleep 0.3 && cmp -s "$out/screen/Xvfb_screen0" "$out/screen/$1" && return
    done
    fail "the screen did not settle for $1"
}

"$cmake" --install "$build" --prefix "$folder" >/dev/null || fail "installing into $folder"
printf 'A tip from beside the program\r\n' >"$folder/help.cfg"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -fbdir "$out/screen" 3>"$out/display" 2>/dev/null & xvfb=$!
waits [ -s "$out/display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$out/display") && export DISPLAY
binary=$(printf 'Hi' | wine "$folder/glyphmill-convert.exe" text-to-binary | tr -d '\r' | tr '\n' ' ')
[ "$binary" = "01001000 01101001 " ] || fail "glyphmill-convert.exe text-to-binary of Hi: \"$binary\""

start() {
    wine "$folder/glyphmill.exe" >"$out/program.log" 2>&1 & app=$!
    waits shown Glyphmill || fail "no window \"Glyphmill\" ($1)"
}
# ended HOW: the program ends by itself, with status 0.
ended() {
    waits eval '! kill -0 $app 2>/dev/null' || fail "$1 did not end the program"
    wait $app; status=$?
    [ $status = 0 ] || fail "$1 ended the program with status $status"
}
start first
main=$(xdotool search --onlyvisible --name '^Glyphmill$' | head -n1)
timeout 5 xdotool windowfocus --sync "$main" || fail "the window \"Glyphmill\" does not take the focus"

# The input box has the focus; Tab Tab goes past "DO!!!" to the answer box.
sleep 1 && xdotool type --delay 80 Hi && xdotool key --delay 100 F4 Tab Tab ctrl+a ctrl+c
copied() { answer=$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r' | tr '\n' ' ') && [ "$answer" = "$1" ]; }
waits copied "01001000 01101001 " || fail "the digits of Hi, copied: \"$answer\""

# "Did U Know" (second in "Files") with the tip beside the program; again
# with the file gone, which shows the message instead; and again with it
# back, which shows the tip exactly as the first time. "OK" (Enter) closes it.
tip() {
    menu Down Down Return && waits shown "Tip of the Day" || fail "no window \"Tip of the Day\" ($1)"
    screen "$1" && xdotool key Return && waits gone "Tip of the Day" || fail "\"OK\" left the tip open ($1)"
}
tip with-file
mv "$folder/help.cfg" "$out/help.cfg" && tip without-file
mv "$out/help.cfg" "$folder/help.cfg" && tip with-file-again
cmp -s "$out/screen/with-file" "$out/screen/without-file" &&
    fail "the tip window shows the same with help.cfg beside the program as without it"
cmp -s "$out/screen/with-file" "$out/screen/with-file-again" ||
    fail "the tip from help.cfg is not shown the same way twice"

# "About" (first) counts down from 7 and closes itself.
menu Down Return && waits shown Form2 || fail "no About window \"Form2\""
sleep 7 && waits gone Form2 || fail "the About window did not close itself"

# "Exit" comes third, after the separator.
menu Down Down Down Return && ended '"Exit"'

# Logging off: Windows asks every program whether the session may end; the
# window lets it, and ends as "Exit" does.
start again
wine wineboot --end-session || fail "the window kept the session from ending"
ended "logging off"
echo "the packed program ran under Wine"
