# Helpers for the end-to-end tests of Quillfern: run folders, the exchange
# server, clients, and what their windows show. Source after lib.sh.
# Needs QUILLFERN_BUILD (the build folder holding run/ and run-server/).

QF_KEY=00112233445566778899aabbccddeeff0011223344556677

# The client's port is fixed (26001), so each run's server listens on a
# loopback address of its own: runs at the same time never meet.
QF_ADDR=127.$((RANDOM % 250 + 2)).$((RANDOM % 256)).$((RANDOM % 250 + 2))

# make_run_folder <name> <user> [settings lines...]: a copy of build/run with
# settings for <user> (interval instant, resolution low unless overridden).
make_run_folder() {
  local name=$1 user=$2
  shift 2
  local folder="$E2E_TMP/$name"
  cp -r "$QUILLFERN_BUILD/run" "$folder"
  rm -rf "$folder/logs"/* "$folder/temp"/*
  {
    echo "server=$QF_ADDR"
    echo "user=$user"
    echo "key=$QF_KEY"
    echo "interval=instant"
    echo "resolution=low"
    local line
    for line in "$@"; do echo "$line"; done
  } >"$folder/settings.txt"
  echo "$folder"
}

# start_server <pairs...>: the exchange server on $QF_ADDR port 26001 with "a b" pairs.
start_server() {
  printf '%s\n' "$@" >"$E2E_TMP/pairs.txt"
  start_program server "$QUILLFERN_BUILD/run-server/quillfern-exchange" --listen "$QF_ADDR" --pairs "$E2E_TMP/pairs.txt"
  wait_for_line server 10 'listening on'
}

# start_client <name> <folder> [display]: runs the client in its folder.
start_client() {
  local name=$1 folder=$2 display=${3:-$DISPLAY}
  (cd "$folder" && DISPLAY=$display exec ./quillfern) >"$E2E_TMP/$name.out" 2>&1 &
  E2E_PIDS+=($!)
  echo $! >"$E2E_TMP/$name.pid"
}

client_pid() { cat "$E2E_TMP/$1.pid"; }

# Waits up to $2 seconds until the client process $1 has ended.
wait_client_exit() {
  local pid i
  pid=$(client_pid "$1")
  for i in $(seq 1 $(($2 * 20))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  fail "client $1 did not end"
}

# Waits up to $2 seconds for the window of display $DISPLAY titled $1 (a regex).
wait_for_title() {
  local pattern=$1 seconds=$2 i id
  for i in $(seq 1 $((seconds * 10))); do
    id=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window titled like '$pattern' (windows: $(xdotool search --name . getwindowname %@ 2>/dev/null | tr '\n' '|'))"
}

# The log file of a run folder.
log_of() { cat "$1"/logs/*.txt 2>/dev/null; }

# Saves a screenshot of window $1 as $2 in the test's output folder.
save_screenshot() {
  local out="${QUILLFERN_SCREENSHOTS:-$QUILLFERN_BUILD/e2e-screenshots}"
  mkdir -p "$out"
  import -window "$1" "$out/$2" 2>/dev/null || true
}

# Paints display $DISPLAY's background one colour (r,g,b) and waits until it shows.
paint_screen() {
  convert -size 1280x720 "xc:rgb($1)" "$E2E_TMP/screen-$DISPLAY.png"
  display -window root "$E2E_TMP/screen-$DISPLAY.png" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  sleep 1
}

# Copies a picture file that the client rewrites every cycle, retrying until the copy
# is a whole picture; prints its "width height".
copy_whole_picture() {
  local from=$1 to=$2 size i
  for i in $(seq 1 100); do
    cp "$from" "$to" 2>/dev/null
    size=$(identify -format '%w %h' "$to" 2>/dev/null) && [ -n "$size" ] && { echo "$size"; return 0; }
    sleep 0.05
  done
  fail "no whole picture in $from"
}
