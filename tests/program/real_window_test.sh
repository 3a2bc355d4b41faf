#!/bin/bash
# The real program in a real X window (a private Xvfb display, the xcb
# platform): types "Hi", presses F4, copies the answer box as another X client
# sees it, types, undoes and redoes there, and ends the program with "Exit",
# which must end it with status 0.
# Then the other ways out: SIGTERM ends it by that signal, and so does a storm
# of SIGHUP while it is busy; and the X server going away ends it with Qt's
# status 1; none of them may crash it or leave more on standard error than
# Qt's own line. Without a display at all it says so and ends with status 1.
# Usage: real_window_test.sh PROGRAM OUTPUT_DIR (leaves program.log there).
# Exit status 77 when a tool is missing.
set -u
program=${1:?} out=${2:?} xvfb="" app=""
command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xclip >/dev/null ||
    { echo "SKIP: no Xvfb, xdotool or xclip (scripts/install-deps.sh test)"; exit 77; }
mkdir -p "$out" && XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb
# In a sanitizer build a leak still shows, the list of suppressions used not.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0
trap 'kill -KILL $app 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
fail() { echo "FAIL: $*"; cat "$out/program.log"; exit 1; }
# waits COMMAND...: COMMAND succeeds within 15 s.
waits() { for _ in $(seq 150); do "$@" && return; sleep 0.1; done; false; }
ended() { ! kill -0 $app 2>/dev/null; }
# Starts the program and waits for its main window ($main) to take the
# focus; startup is slow in a sanitizer build.
start_program() {
    "$program" >"$out/program.log" 2>&1 & app=$! main=""
    for _ in $(seq 300); do main=$(xdotool search --onlyvisible --name '^Glyphmill$') && break; sleep 0.2; done
    [ -n "$main" ] && timeout 5 xdotool windowfocus --sync "$main" || fail "$1: no window \"Glyphmill\" to type in"
}
# ends_with HOW STATUS LOG: the program ended within 15 s with STATUS and
# wrote exactly LOG.
ends_with() {
    waits ended || fail "$1 did not end the program"
    wait $app; local status=$?
    [ $status = "$2" ] || fail "$1 ended the program with status $status, not $2"
    [ "$(cat "$out/program.log")" = "$3" ] || fail "$1: more than \"$3\" on standard error"
}

# Without a display: one line that says so, and status 1 (no abort, no core).
env -u DISPLAY -u WAYLAND_DISPLAY "$program" >"$out/program.log" 2>&1 & app=$!
ends_with "no display" 1 "${program##*/}: no display could be opened (DISPLAY is not set)"

# Xvfb picks a free display and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" 2>/dev/null & xvfb=$!
waits [ -s "$XDG_RUNTIME_DIR/display" ]
DISPLAY=:$(cat "$XDG_RUNTIME_DIR/display") && export DISPLAY
start_program "Exit"
# The input box has the focus; Tab Tab goes past "DO!!!" to the answer box.
# A typed "x" taken back with Ctrl+Z and put back with Ctrl+Y, as X11 delivers them.
sleep 0.5 && xdotool type --delay 80 Hi && xdotool key --delay 100 F4 Tab Tab ctrl+End
xdotool type --delay 80 x && xdotool key --delay 100 ctrl+z ctrl+y ctrl+a ctrl+c
# The clipboard as another X client reads it (line ends as spaces).
copied() { answer=$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r' | tr '\n' ' ') && [ "$answer" = "$1" ]; }
waits copied "01001000 01101001 x" || fail "the digits of Hi, typed x, Ctrl+Z, Ctrl+Y: \"$answer\""
# Alt opens the menu bar, Down "Files"; "Exit" comes third, after the separator.
xdotool key Alt_L && sleep 0.3 && xdotool key --delay 100 Down Down Down Return
ends_with '"Exit"' 0 ""

# A signal ends it as the signal does by default: status 128 + its number.
start_program "SIGTERM" && kill -TERM $app
ends_with "SIGTERM" 143 ""

# A storm of SIGHUP while a paste of 10M characters keeps the window busy:
# the signals that find the program busy must not stop it for good.
head -c 10000000 /dev/zero | tr '\0' x | xclip -selection clipboard -i
start_program "a storm of SIGHUP"
xdotool key ctrl+v && sleep 0.2
for _ in $(seq 400); do kill -HUP $app 2>/dev/null; sleep 0.002; done
ends_with "a storm of SIGHUP" 129 ""

# With the About window open too, so that its timer and its picture are in use.
start_program "the X server ending"
xdotool key Alt_L && sleep 0.3 && xdotool key --delay 100 Down Return
waits xdotool search --onlyvisible --name '^Form2$' >/dev/null
kill -KILL $xvfb && wait $xvfb 2>/dev/null
ends_with "the X server ending" 1 "The X11 connection broke (error 1). Did the X11 server die?"
