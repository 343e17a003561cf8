#!/usr/bin/env bash
# The graphics window under a real X server and window manager, driven with
# real input: its title and identity, where the window manager puts it, what
# it shows, keys and clicks arriving as records, and the close button only
# requesting the end.
# Usage: window_e2e.sh <window_probe binary>
source "$(dirname "$0")/../e2e/lib.sh"
probe=$1

start_display
LC_ALL=C.UTF-8 start_program probe "$probe" "Frond Probe E2E"
wait_for_line probe 10 '^ready$'
id=$(wait_for_window "Frond Probe E2E")

expect_eq "$(window_title "$id")" "Frond Probe E2E" "title"
xprop -id "$id" WM_NORMAL_HINTS | grep -q "minimum size: 640 by 360" || fail "window is resizable"
expect_eq "$(xprop -id "$id" WM_CLASS)" 'WM_CLASS(STRING) = "window_probe", "Window_probe"' "class"
expect_eq "$(xprop -id "$id" _NET_WM_PID)" "_NET_WM_PID(CARDINAL) = $(cat "$E2E_TMP/probe.pid")" "process id"

# A second window with no position of its own: the window manager places it,
# so it does not open exactly over the first.
start_program second "$probe" "Frond Probe Second"
wait_for_line second 10 '^ready$'
second=$(wait_for_window "Frond Probe Second")
corner() { xwininfo -id "$1" | awk '/Absolute upper-left/ {printf "%s ", $4}'; }
[ "$(corner "$id")" != "$(corner "$second")" ] || fail "both windows at $(corner "$id")"
wmctrl -c "Frond Probe Second"
wait_for_line second 10 '^closed window=1$'
expect_eq "$(xwininfo -id "$id" | awk '/Width:/ {print $2}')" "640" "client width"
expect_pixel "$id" 100 100 "0,0,255"
expect_pixel "$id" 500 300 "255,0,0"

xdotool windowactivate --sync "$id" >/dev/null 2>&1
xdotool key --window "$id" a
wait_for_line probe 5 '^key kind=2 code=65 '
output_of probe | grep -q '^key kind=1 code=65 flags=0x80000$' || fail "press of A"
output_of probe | grep -q '^key kind=4 code=97 flags=0x0$' || fail "character a"

xdotool key --window "$id" BackSpace
wait_for_line probe 5 '^key kind=4 code=8 '

# Characters an input method composes come as first presses of VK_PROCESSKEY
# (229), each of them, and their characters as UTF-8 bytes: é C3 A9, á C3 A1.
xdotool key --window "$id" dead_acute e dead_acute a
wait_for_line probe 5 '^key kind=4 code=161 '
expect_eq "$(output_of probe | grep -c '^key kind=1 code=229 flags=0x80000$')" "2" "composed first presses"
output_of probe | grep -q '^key kind=4 code=169 ' || fail "composed character e acute"

xdotool mousemove --window "$id" 30 40 click 3
wait_for_line probe 5 '^mouse kind=0x20 x=30 y=40 flags=0x2 '
output_of probe | grep -q '^mouse kind=0x10 x=30 y=40 flags=0x2 ' || fail "right press"
xdotool click 5
wait_for_line probe 5 '^mouse kind=0x80 x=30 y=40 flags=0x0 wheel=-120$'
xdotool click 4
wait_for_line probe 5 'wheel=120$'

wmctrl -c "Frond Probe E2E"
wait_for_line probe 10 '^closed window=1$'
echo "window end-to-end: all checks passed"
