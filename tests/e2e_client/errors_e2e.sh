#!/usr/bin/env bash
# What a user sees when something is wrong: a settings error ends the run
# with two log lines, no request and one line on stderr; a client started
# outside its run folder says what it could not find there; an unknown user
# gets a red window titled "[UserNotFound]"; a server that is down gives
# "[NetworkError]", no status line and one line on stderr however many cycles
# fail. Without a display, an all-black screen is sent green.
# Usage: errors_e2e.sh <build folder>
source "$(dirname "$0")/../e2e/lib.sh"
QUILLFERN_BUILD=$1
source "$(dirname "$0")/../e2e/quillfern.sh"

start_display
start_server "bob bob"

# A settings error: exactly two log lines, and nothing reaches the server.
bad=$(make_run_folder bad alice "resolution=ultra")
start_client bad "$bad"
wait_client_exit bad 20
expect_eq "$(log_of "$bad" | wc -l)" "2" "log lines after a settings error"
log_of "$bad" | head -n 1 | grep -q -E '^Log has been created at [0-9]{8}-[0-9]{6}\.$' || fail "first log line"
expect_eq "$(log_of "$bad" | tail -n 1)" "Settings error: resolution=ultra" "settings error line"
output_of server | grep -q PATCH && fail "a request was sent despite the settings error"
expect_eq "$(output_of bad)" \
  "quillfern: settings.txt in $bad: Settings error: resolution=ultra (each line must be key=value with a known key and one of its values; comments are not allowed)" \
  "stderr after a settings error"

# Started outside its run folder: each missing part is named with the folder.
mkdir "$E2E_TMP/elsewhere"
(cd "$E2E_TMP/elsewhere" && exec "$bad/quillfern") >"$E2E_TMP/elsewhere.out" 2>&1 || fail "exit status outside the run folder"
output_of elsewhere | grep -q -F "quillfern: no settings.txt in $E2E_TMP/elsewhere: " || fail "missing settings.txt not named"
output_of elsewhere | grep -q -F "quillfern: no bin/pngslim in $E2E_TMP/elsewhere: " || fail "missing tool not named"
output_of elsewhere | grep -q -F "Settings error: user invalid!" || fail "settings error outside the run folder"

# A user the server does not know.
unknown=$(make_run_folder unknown alice)
start_client unknown "$unknown"
id=$(wait_for_title '^Quillfern \[UserNotFound\]$' 30)
expect_pixel "$id" 320 180 "255,0,0"
log_of "$unknown" | grep -q '^Status: 201, Sent Size: [0-9]*, Received Size: 0 at [0-9]\{8\}-[0-9]\{6\}\.$' ||
  fail "status line of a 201"
wmctrl -c "Quillfern [UserNotFound]"
wait_client_exit unknown 20

# No server at all.
kill "$(cat "$E2E_TMP/server.pid")"
offline=$(make_run_folder offline alice)
start_client offline "$offline"
id=$(wait_for_title '^Quillfern \[NetworkError\]$' 30)
expect_pixel "$id" 320 180 "255,0,0"
sleep 1  # more failing cycles
wmctrl -c "Quillfern [NetworkError]"
wait_client_exit offline 20
log_of "$offline" | grep -q '^Status:' && fail "a status line without a reply"
expect_eq "$(output_of offline | grep -c "^quillfern: cannot exchange with $QF_ADDR:26001: no connection")" "1" \
  "network error lines on stderr"

# Without a display: the headless screen is black (the window too: the
# partner has sent nothing yet), so the picture goes out green.
printf 'alice bob\n' >"$E2E_TMP/pairs2.txt"
start_program server2 "$QUILLFERN_BUILD/run-server/quillfern-exchange" --listen "$QF_ADDR" --pairs "$E2E_TMP/pairs2.txt"
wait_for_line server2 10 'listening on'
headless=$(make_run_folder headless alice)
(cd "$headless" && unset DISPLAY && exec ./quillfern) >"$E2E_TMP/headless.out" 2>&1 &
E2E_PIDS+=($!)
pid=$!
for i in $(seq 1 100); do [ -s "$headless/temp/image2.png" ] && break; sleep 0.1; done
copy_whole_picture "$headless/temp/image2.png" "$E2E_TMP/green.png" >/dev/null
expect_eq "$(convert "$E2E_TMP/green.png" -unique-colors -format '%k %[pixel:p{0,0}]' info:)" \
  "1 srgb(0,255,0)" "outgoing picture of a black screen"
kill -INT "$pid"
for i in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+C did not end the client"
echo "errors end-to-end: all checks passed"
