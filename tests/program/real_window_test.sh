#!/bin/bash
# The real program in a real X window (a private Xvfb display, the xcb
# platform): types "Hi", presses F4, copies the answer box as another X client
# sees it, types, undoes and redoes there, and ends the program with "Exit", which must end it with status 0.
# Usage: real_window_test.sh PROGRAM OUTPUT_DIR (leaves program.log there).
# Exit status 77 when a tool is missing.
set -u
program=${1:?} out=${2:?}
for tool in Xvfb xdotool xclip; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool (scripts/install-deps.sh test)"; exit 77; }
done
mkdir -p "$out"
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
fail() { echo "FAIL: $*"; cat "$out/program.log"; exit 1; }
# Xvfb picks a free display and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" 2>/dev/null &
xvfb=$! app=""
for _ in $(seq 100); do [ -s "$XDG_RUNTIME_DIR/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$XDG_RUNTIME_DIR/display") && export DISPLAY
"$program" >"$out/program.log" 2>&1 &
app=$!
# Startup is slow in a sanitizer build.
for _ in $(seq 300); do main=$(xdotool search --onlyvisible --name '^Glyphmill$') && break; sleep 0.2; done
timeout 5 xdotool windowfocus --sync "$main" || fail 'no window "Glyphmill" to type in'
# The input box has the focus; Tab Tab goes past "DO!!!" to the answer box.
sleep 0.5 && xdotool type --delay 80 Hi && xdotool key --delay 100 F4 Tab Tab ctrl+a ctrl+c
for _ in $(seq 50); do
    answer=$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r' | tr '\n' ' ')
    [ "$answer" = "01001000 01101001 " ] && break
    sleep 0.1
done
[ "$answer" = "01001000 01101001 " ] || fail "the answer box holds \"$answer\", not the digits of Hi"
# A typed "x" taken back with Ctrl+Z and put back with Ctrl+Y, as X11 delivers them.
xdotool key --delay 100 ctrl+End && xdotool type --delay 80 x
xdotool key --delay 100 ctrl+z ctrl+y ctrl+a ctrl+c
for _ in $(seq 50); do
    answer=$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r' | tr '\n' ' ')
    [ "$answer" = "01001000 01101001 x" ] && break
    sleep 0.1
done
[ "$answer" = "01001000 01101001 x" ] || fail "after typing x, Ctrl+Z and Ctrl+Y the box holds \"$answer\""
# Alt opens the menu bar, Down "Files"; "Exit" comes third, after the separator.
xdotool key Alt_L && sleep 0.3 && xdotool key --delay 100 Down Down Down Return
for _ in $(seq 150); do kill -0 $app 2>/dev/null && sleep 0.1; done
kill -0 $app 2>/dev/null && fail '"Exit" did not end the program'
wait $app || fail "\"Exit\" ended the program with status $?"
