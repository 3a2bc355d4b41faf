#!/bin/bash
# Drives the real program in a real X window: a private Xvfb display, the xcb
# platform, keyboard input through the X server, and the clipboard as another
# X client sees it.
#
# Usage: real_window_test.sh PROGRAM OUTPUT_DIR
# Leaves OUTPUT_DIR/main-window.png (the main window after converting "Hi")
# and OUTPUT_DIR/program.log. Exit status 77 when a needed tool is missing.
set -u

program=${1:?usage: real_window_test.sh PROGRAM OUTPUT_DIR}
output_dir=${2:?usage: real_window_test.sh PROGRAM OUTPUT_DIR}

for tool in Xvfb xdotool xclip import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh test installs it)"
        exit 77
    fi
done

mkdir -p "$output_dir"
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphmill-real-window.XXXXXX")
xvfb_pid=""
app_pid=""

cleanup() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAIL: $*"
    if [ -s "$output_dir/program.log" ]; then
        echo "--- program output"
        cat "$output_dir/program.log"
    fi
    exit 1
}

# Seconds since the start of the test, with fractions.
now() {
    date +%s.%N
}

elapsed_since() {
    awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.1f", end - start }'
}

# Waits up to $1 seconds for a visible window whose title matches $2 and
# prints its id; gives up at once when the program has ended.
wait_for_window() {
    local deadline=$(($(date +%s) + $1)) id
    while [ "$(date +%s)" -le "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$app_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

window_visible() {
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# Starts Xvfb on the first free display from :90 on. A display whose lock file
# exists belongs to another server; if two tests race for the same number, the
# loser's server exits at once and the next number is tried.
start_display() {
    local number ready
    for number in $(seq 90 199); do
        if [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; then
            continue
        fi
        ready="$work/display-$number"
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 3 \
            3>"$ready" >"$work/xvfb-$number.log" 2>&1 &
        xvfb_pid=$!
        # Xvfb writes the display number to the descriptor once it accepts
        # clients.
        for _ in $(seq 1 100); do
            if [ -s "$ready" ]; then
                export DISPLAY=":$number"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    return 1
}

# Opens the item at position $2 (1 = "About") of the "Files" menu of window $1.
# Alt alone puts the keyboard on the menu bar, Down opens "Files" with its first
# item current; the separator is skipped by the menu itself.
choose_menu_item() {
    local window=$1 position=$2 keys=(Down)
    for _ in $(seq 2 "$position"); do
        keys+=(Down)
    done
    timeout 5 xdotool windowfocus --sync "$window" || return 1
    sleep 0.2
    xdotool key Alt_L
    sleep 0.3
    xdotool key --delay 100 "${keys[@]}" Return
}

start_display || fail "no free X display from :90 to :199"
echo "X display $DISPLAY"

export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME

"$program" >"$output_dir/program.log" 2>&1 &
app_pid=$!

# Startup is slow in a sanitizer build.
main=$(wait_for_window 60 '^Glyphmill$') || fail "no window \"Glyphmill\" appeared"
echo "main window $main"

# The input box has the focus when the window opens.
timeout 5 xdotool windowfocus --sync "$main" || fail "cannot focus the main window"
sleep 0.5
xdotool type --delay 80 Hi
xdotool key F4

# Focus order: input box, "DO!!!", answer box.
xdotool key --delay 100 Tab Tab ctrl+a ctrl+c
clipboard=""
for _ in $(seq 1 50); do
    clipboard=$(xclip -selection clipboard -o 2>/dev/null | od -An -c | tr -s ' \n' ' ')
    case "$clipboard" in *"0 1 1 0 1 0 0 1"*) break ;; esac
    sleep 0.1
done
echo "clipboard:$clipboard"
case "$clipboard" in
" 0 1 0 0 1 0 0 0 \r \n 0 1 1 0 1 0 0 1 \r \n ") ;;
" 0 1 0 0 1 0 0 0 \n 0 1 1 0 1 0 0 1 \n ")
    echo "note: the copied answer has LF line ends, the answer box holds CR LF" ;;
*) fail "the clipboard does not hold the answer for \"Hi\" (01001000, 01101001)" ;;
esac

# Clear the selection and go back to the input box, cursor after "Hi", for
# the picture.
xdotool key --delay 100 ctrl+End shift+Tab shift+Tab End
sleep 0.5
import -window "$main" "$output_dir/main-window.png" || fail "cannot take a screenshot"
echo "screenshot $output_dir/main-window.png"

# "About": the window "Form2" closes itself after its countdown.
choose_menu_item "$main" 1 || fail "cannot open the menu"
shown=$(now)
about=$(wait_for_window 5 '^Form2( |$)') || fail "\"About\" opened no window \"Form2\""
echo "About window $about after $(elapsed_since "$shown") s"
while window_visible '^Form2( |$)'; do
    if awk -v start="$shown" -v end="$(now)" 'BEGIN { exit !(end - start > 9) }'; then
        fail "the About window is still open 9 s after \"About\""
    fi
    sleep 0.1
done
open_for=$(elapsed_since "$shown")
echo "About window closed itself after $open_for s"
if awk -v t="$open_for" 'BEGIN { exit !(t < 6) }'; then
    fail "the About window closed after $open_for s, before its countdown could end"
fi
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the About window"

# "Did U Know": the tip window, closed with Esc.
choose_menu_item "$main" 2 || fail "cannot open the menu"
tip=$(wait_for_window 5 '^Tip of the Day( |$)') || fail "\"Did U Know\" opened no window \"Tip of the Day\""
echo "tip window $tip"
timeout 5 xdotool windowfocus --sync "$tip" || fail "cannot focus the tip window"
sleep 0.3
xdotool key Escape
closed=""
for _ in $(seq 1 50); do
    if ! window_visible '^Tip of the Day( |$)'; then
        closed=yes
        break
    fi
    sleep 0.1
done
[ -n "$closed" ] || fail "Esc did not close the tip window"
echo "tip window closed with Esc"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the tip window"

# "Exit" ends the program with status 0.
choose_menu_item "$main" 3 || fail "cannot open the menu"
for _ in $(seq 1 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running 15 s after \"Exit\""
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status after \"Exit\""
echo "\"Exit\" ended the program with status 0"
echo "PASS"
