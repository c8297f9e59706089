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
find_window || { cat "$work/app.log"; exit 1; }
# Focus starts in the Celsius field; Tab twice reaches the metre field.
xdotool key Tab Tab
xdotool type --delay 20 '1,5'
xdotool key Tab
sleep 0.2
close_window velmarin
