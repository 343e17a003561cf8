#!/usr/bin/env bash
# The client on displays of other colour depths: 16-bit TrueColor (common
# under VNC) and 8-bit PseudoColor show the window and swap pictures, with
# the capture file in the layout of the depth; a display that is named but
# cannot be used says why and ends the client, never falling back to a
# virtual screen.
# Usage: display_depths_e2e.sh <build folder>
source "$(dirname "$0")/../e2e/lib.sh"
QUILLFERN_BUILD=$1
source "$(dirname "$0")/../e2e/quillfern.sh"

# Bytes $2.. (count $3) of file $1 as an unsigned little-endian number.
le_field() { od -An -t u"$3" -j "$2" -N "$3" "$1" | tr -d ' '; }

start_server "alice alice"
for case in "16 24 54" "8 8 1078"; do
  set -- $case
  depth=$1 bits=$2 offset=$3
  start_display "$depth"
  run=$(make_run_folder "depth$depth" alice)
  start_client "depth$depth" "$run"
  id=$(wait_for_title '^Quillfern$' 30)
  for i in $(seq 1 100); do [ -s "$run/temp/image6.png" ] && break; sleep 0.1; done
  [ -s "$run/temp/image6.png" ] || fail "depth $depth: no picture came back"
  copy_whole_picture "$run/temp/image1.bmp" "$E2E_TMP/capture.bmp" >/dev/null
  expect_eq "$(le_field "$E2E_TMP/capture.bmp" 28 2)" "$bits" "depth $depth: bits of the capture file"
  expect_eq "$(le_field "$E2E_TMP/capture.bmp" 10 4)" "$offset" "depth $depth: offset of its rows"
  [ "$(pixel_at "$id" 320 180)" = "255,0,0" ] && fail "depth $depth: the window shows an error"
  save_screenshot "$id" "depth$depth.png"
  grep -q "cannot be used" "$E2E_TMP/depth$depth.out" && fail "depth $depth: refused"
  wmctrl -c "Quillfern"
  wait_client_exit "depth$depth" 20
done

# Named but unusable: nothing listens there, or its pixels cannot be served.
start_display 30
for display in ":4093" "$DISPLAY"; do
  run=$(make_run_folder unusable alice)
  start_client unusable "$run" "$display"
  wait_client_exit unusable 20
  out=$(cat "$E2E_TMP/unusable.out")
  [[ "$out" == *"The X display \"$display\" cannot be used: "* ]] || fail "no reason for $display: $out"
  [[ "$out" == *"Failed to create the graphics window."* ]] || fail "no window failure for $display: $out"
  rm -rf "$run"
done
echo "display depths end-to-end: all checks passed"
