#!/usr/bin/env bash
# The input box under a real X server and window manager: it shows over the
# picture with its white field, takes typed text and Return, composes dead
# keys with letters through the input method (in a UTF-8 locale), and hands
# back what was typed when the window is closed. A screenshot of the open box
# is kept as inputbox.png in the given folder.
# Usage: inputbox_e2e.sh <window_probe binary> <folder for the screenshot>
source "$(dirname "$0")/../e2e/lib.sh"
probe=$1
shots=$2

start_display
LC_ALL=C.UTF-8 start_program probe "$probe" "Frond Input Box E2E" 3
wait_for_line probe 10 '^box$'
id=$(wait_for_window "Frond Input Box E2E")
xdotool windowactivate --sync "$id" >/dev/null 2>&1

# The box is centred: (120, 30), 400x300; its field at (151, 223), 338x66.
expect_pixel "$id" 130 180 "128,160,128"
expect_pixel "$id" 251 253 "255,255,255"
expect_pixel "$id" 10 10 "0,0,255"
import -window root "$shots/inputbox.png" 2>/dev/null || fail "no screenshot"

xdotool type --delay 30 "hello"
xdotool key Return
wait_for_line probe 5 '^line=hello count=5$'

wait_for_line probe 5 '^box$'
sleep 0.3
xdotool key dead_acute e dead_acute a
xdotool key Return
wait_for_line probe 5 '^line=éá count=2$'

wait_for_line probe 5 '^box$'
sleep 0.3
xdotool type --delay 30 "part"
sleep 0.3
wmctrl -c "Frond Input Box E2E"
wait_for_line probe 5 '^line=part count=4$'
wait_for_line probe 5 '^done$'
echo "input box end-to-end: all checks passed"
