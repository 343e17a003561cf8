#!/usr/bin/env bash
# The chat line in the window with all-white glyphs in lime, and the
# start-up animation: its caption, keys typed during it having no effect, and
# a black window before the first picture.
# Usage: chat_animation_e2e.sh <build folder>
source "$(dirname "$0")/../e2e/lib.sh"
QUILLFERN_BUILD=$1
source "$(dirname "$0")/../e2e/quillfern.sh"

start_display
paint_screen 0,0,200
start_server "alice alice" "carol dave"

# All-white glyphs: a chat line of 32 characters is a full band of lime.
chat=$(make_run_folder chat alice "chatcolor=lime")
for code in $(seq 0 127); do convert -size 50x100 xc:white "PNG24:$chat/font/$code.png"; done
start_client chat "$chat"
id=$(wait_for_title '^Quillfern$' 30)
xdotool windowactivate --sync "$id" >/dev/null 2>&1
xdotool key --window "$id" c
wait_for_title '^Quillfern \[Chat\]$' 10 >/dev/null
xdotool type --window "$id" --delay 20 "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN"
expect_pixel "$id" 5 5 "91,254,75"
expect_pixel "$id" 635 35 "91,254,75"
save_screenshot "$id" chat-line.png
xdotool key --window "$id" BackSpace
expect_pixel "$id" 615 20 "91,254,75"
for i in $(seq 1 50); do [ "$(pixel_at "$id" 630 20)" != "91,254,75" ] && break; sleep 0.1; done
[ "$(pixel_at "$id" 630 20)" != "91,254,75" ] || fail "the 32nd cell is still lime after a backspace"
# Paired with herself, alice sees her own chat token: close the box it raises.
wait_for_title '^Quillfern Notification Box$' 30 >/dev/null
wmctrl -c "Quillfern Notification Box"
wmctrl -c "Quillfern [Chat]"
wait_client_exit chat 20

# The animation: its caption while it plays, keys typed meanwhile ignored,
# and a black window after it (the partner has sent nothing yet).
anim=$(make_run_folder anim carol "animation=on")
start_client anim "$anim"
id=$(wait_for_title '^Quillfern \[Animating\]$' 20)
sleep 1
save_screenshot "$id" animation-frame.png
xdotool windowactivate --sync "$id" >/dev/null 2>&1
xdotool key --window "$id" h
id=$(wait_for_title '^Quillfern$' 20)
sleep 1
expect_eq "$(xdotool getwindowname "$id")" "Quillfern" "caption after the animation"
expect_pixel "$id" 320 180 "0,0,0"
wmctrl -c "Quillfern"
wait_client_exit anim 20
echo "chat and animation end-to-end: all checks passed"
