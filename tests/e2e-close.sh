#!/usr/bin/env bash
# Starts the real program under Xvfb, types a length into a field, leaves it
# with Tab and ends the program with "Schliessen": the exit status must be 0.
set -u
exe=$1
. "$(dirname "$0")/xvfb.sh"
require "xvfb xdotool" Xvfb xdotool
app_pid=
trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; stop_xvfb' EXIT
start_xvfb
unset QT_QPA_PLATFORM

LC_ALL=de_DE.UTF-8 "$exe" >"$work/app.log" 2>&1 &
app_pid=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Velmarin$' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window 'Velmarin' appeared"; cat "$work/app.log"; exit 1; }

xdotool windowfocus --sync "$window"
# Focus starts in the Celsius field; Tab twice reaches the metre field.
xdotool key Tab Tab
xdotool type --delay 20 '1,5'
xdotool key Tab
sleep 0.2
kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: the program ended before Schliessen"; exit 1; }
# The button: Left 160, Top 424, 121 x 25 pixels.
xdotool mousemove --window "$window" 220 436 click 1

for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: still running 10 s after Schliessen"
    exit 1
fi
wait "$app_pid"
status=$?
app_pid=
echo "velmarin exited with status $status"
[ "$status" -eq 0 ] || { cat "$work/app.log"; exit 1; }
