# Shared helpers for end-to-end tests: a private X display with a real window
# manager, waiting for windows and output, reading pixels a user would see.
# Source this file; call start_display first. Everything started is stopped
# when the test's shell exits.

set -u
E2E_PIDS=()
E2E_TMP=$(mktemp -d)

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb (colour depth $1, 24 unless given) on a display number it picks
# itself (so that tests running at once never share one), with openbox on it,
# and exports DISPLAY.
start_display() {
  local depth=${1:-24} numberfile="$E2E_TMP/display.$RANDOM" i number
  Xvfb -displayfd 3 -screen 0 "1280x720x$depth" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  for i in $(seq 1 200); do
    number=$(cat "$numberfile" 2>/dev/null)
    [ -n "$number" ] && [ -e "/tmp/.X11-unix/X$number" ] && break
    sleep 0.05
  done
  [ -n "$number" ] || fail "Xvfb did not start"
  export DISPLAY=":$number"
  openbox >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  sleep 0.5
}

# Runs a program in the background with its output in $E2E_TMP/<name>.out.
start_program() {
  local name=$1
  shift
  "$@" >"$E2E_TMP/$name.out" 2>&1 &
  E2E_PIDS+=($!)
  echo $! >"$E2E_TMP/$name.pid"
}

output_of() { cat "$E2E_TMP/$1.out"; }

# Waits up to $2 seconds (default 10) until the program's output has a line matching $3.
wait_for_line() {
  local name=$1 seconds=$2 pattern=$3 i
  for i in $(seq 1 $((seconds * 20))); do
    grep -q -E "$pattern" "$E2E_TMP/$name.out" 2>/dev/null && return 0
    sleep 0.05
  done
  echo "--- output of $name:" >&2
  cat "$E2E_TMP/$name.out" >&2
  fail "no line matching '$pattern' from $name"
}

# Prints the id of the window titled exactly $1, waiting up to 10 seconds.
wait_for_window() {
  local i id
  for i in $(seq 1 200); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  fail "no window titled '$1'"
}

window_title() { xprop -id "$1" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

# Client-area origin of a window on the screen: "x y".
window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# The colour a user sees at (x, y) of a window's client area, as "r,g,b".
pixel_at() {
  local id=$1 x=$2 y=$3 origin
  origin=($(window_origin "$id"))
  import -window root "$E2E_TMP/screen.png" 2>/dev/null
  convert "$E2E_TMP/screen.png" -crop "1x1+$((origin[0] + x))+$((origin[1] + y))" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}

# Waits up to 5 seconds until the user sees colour $4 ("r,g,b") at (x, y) of window $1.
expect_pixel() {
  local id=$1 x=$2 y=$3 want=$4 got i
  for i in $(seq 1 50); do
    got=$(pixel_at "$id" "$x" "$y")
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "pixel ($x, $y): expected '$want', got '$got'"
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
