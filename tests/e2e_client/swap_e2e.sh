#!/usr/bin/env bash
# Two paired clients on two screens swap pictures through a real exchange
# server, driven as a user would: keys, clicks and the wheel on alice's
# window, chat mode on bob's, which raises alice's notification box.
# Usage: swap_e2e.sh <build folder>
source "$(dirname "$0")/../e2e/lib.sh"
QUILLFERN_BUILD=$1
source "$(dirname "$0")/../e2e/quillfern.sh"

start_display
screen_a=$DISPLAY
paint_screen 0,0,200
start_display
screen_b=$DISPLAY
paint_screen 200,120,0

start_server "alice bob"
alice=$(make_run_folder alice alice "chatcolor=lime")
bob=$(make_run_folder bob bob)
# Alice's encryption tool records its command lines before doing its work.
mv "$alice/bin/encfile" "$alice/bin/encfile.real"
printf '#!/bin/sh\necho "$@" >>"%s/encfile-calls.txt"\nexec "%s/bin/encfile.real" "$@"\n' "$alice" "$alice" \
  >"$alice/bin/encfile"
chmod +x "$alice/bin/encfile"

start_client alice "$alice" "$screen_a"
start_client bob "$bob" "$screen_b"

export DISPLAY=$screen_a
alice_window=$(wait_for_title '^Quillfern$' 30)
bob_window=$(DISPLAY=$screen_b wait_for_title '^Quillfern$' 30)

# Each shows the other's screen (the far corner is the other's background).
wait_pixel() {
  local id=$1 x=$2 y=$3 want=$4 got i
  for i in $(seq 1 100); do
    got=$(pixel_at "$id" "$x" "$y")
    [ "$got" = "$want" ] && return 0
    sleep 0.2
  done
  fail "pixel ($x, $y) on $DISPLAY: expected '$want', got '$got'"
}
wait_pixel "$alice_window" 630 350 "200,120,0"
DISPLAY=$screen_b wait_pixel "$bob_window" 630 350 "0,0,200"
save_screenshot "$alice_window" alice-window.png

# The outgoing picture at resolution low: 960x540 RGB. (A copy taken between
# two cycles' writes, as the client rewrites the file every cycle.)
expect_eq "$(copy_whole_picture "$alice/temp/image2.png" "$E2E_TMP/outgoing.png")" "960 540" "outgoing size"
identify -verbose "$E2E_TMP/outgoing.png" | grep -q 'png:IHDR.color_type: 2' || fail "outgoing picture is not RGB"

# Bob starts chatting: alice's decryptions carry a chat token, in lower case,
# and alice gets the notification box.
DISPLAY=$screen_b xdotool windowactivate --sync "$bob_window" >/dev/null 2>&1
DISPLAY=$screen_b xdotool key --window "$bob_window" c
DISPLAY=$screen_b wait_for_title '^Quillfern \[Chat\]$' 10 >/dev/null
box=$(wait_for_title '^Quillfern Notification Box$' 30)
grep -q -E 'temp\\image5\.enc temp\\image6\.png [0-9a-f]{48}[89a-f][0-9a-f]{15}$' "$alice/encfile-calls.txt" ||
  fail "no decryption with the partner's chat token"
save_screenshot "$box" notification-box.png
wmctrl -c "Quillfern Notification Box"

# Alice's keys: hold, top, chat, in either case.
xdotool windowactivate --sync "$alice_window" >/dev/null 2>&1
xdotool key --window "$alice_window" h
wait_for_title '^Quillfern \[Hold\]$' 10 >/dev/null
xdotool key --window "$alice_window" T
wait_for_title '^Quillfern \[Hold\]\[Top\]$' 10 >/dev/null
xprop -id "$alice_window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "T did not keep the window above"
xdotool key --window "$alice_window" c
wait_for_title '^Quillfern \[Chat\]\[Hold\]\[Top\]$' 10 >/dev/null
save_screenshot "$alice_window" alice-chat-mode.png

# Right clicks step the opacity down the ladder.
xdotool mousemove --window "$alice_window" 100 100 click 3
sleep 0.5
xprop -id "$alice_window" _NET_WM_WINDOW_OPACITY | grep -q '= 3772834016$' || fail "opacity after one right click"
xdotool click 3
sleep 0.5
xprop -id "$alice_window" _NET_WM_WINDOW_OPACITY | grep -q '= 3233857728$' || fail "opacity after two right clicks"

# The wheel towards the user grows the window, away from the user shrinks it.
xdotool click 5
for i in $(seq 1 50); do [ "$(xwininfo -id "$alice_window" | awk '/Width:/ {print $2}')" = 960 ] && break; sleep 0.1; done
expect_eq "$(xwininfo -id "$alice_window" | awk '/Width:/ {print $2}')" "960" "width after the wheel"
xdotool click 4
for i in $(seq 1 50); do [ "$(xwininfo -id "$alice_window" | awk '/Width:/ {print $2}')" = 640 ] && break; sleep 0.1; done
expect_eq "$(xwininfo -id "$alice_window" | awk '/Height:/ {print $2}')" "360" "height back"

# The pictures of the screen are the user's alone while they exist.
expect_eq "$(stat -c %a "$alice/temp/image4.enc")" "600" "mode of a temporary picture"

# Closing ends each client; alice's last request is the one her log counted,
# and her temporary pictures are gone.
wmctrl -c "Quillfern [Chat][Hold][Top]"
wait_client_exit alice 20
sent=$(log_of "$alice" | grep -o 'Sent Size: [0-9]*' | tail -n 1 | awk '{print $3}')
received=$(output_of server | grep -o 'PATCH /v1/swap/alice [0-9]* in=[0-9]*' | tail -n 1 | sed 's/.*in=//')
expect_eq "$sent" "$received" "request body size"
expect_eq "$(ls -A "$alice/temp")" "" "temporary pictures at exit"
# Alice was chatting too, so bob has a box open, which holds his shutdown
# until the user closes it.
DISPLAY=$screen_b wait_for_title '^Quillfern Notification Box$' 30 >/dev/null
DISPLAY=$screen_b wmctrl -c "Quillfern [Chat]"
sleep 1
kill -0 "$(client_pid bob)" 2>/dev/null || fail "bob ended with his box open"
DISPLAY=$screen_b wmctrl -c "Quillfern Notification Box"
wait_client_exit bob 20
log_of "$alice" | head -n 2 | tail -n 1 | grep -q '^Settings has been successfully loaded\.$' || fail "alice's log"
echo "swap end-to-end: all checks passed"
