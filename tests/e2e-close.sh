#!/usr/bin/env bash
# Starts the real program under Xvfb, types a length into a field, leaves it
# with Tab and ends the program with "Schliessen": the exit status must be 0.
# Then, on each desktop, Return and Enter on the focused button leave the
# program running, and Space ends it. GNOME's platform theme counts Return
# among the keys that press a button.
set -u
exe=$1
. "$(dirname "$0")/xvfb.sh"
require "xvfb xdotool" Xvfb xdotool
app_pid=
trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; stop_xvfb' EXIT
start_xvfb
unset QT_QPA_PLATFORM
export LC_ALL=de_DE.UTF-8

"$exe" >"$work/app.log" 2>&1 &
app_pid=$!
find_window || { cat "$work/app.log"; exit 1; }
# Focus starts in the Celsius field; Tab twice reaches the metre field.
xdotool key Tab Tab
xdotool type --delay 20 '1,5'
xdotool key Tab
sleep 0.2
close_window velmarin || exit 1

for desktop in none GNOME XFCE KDE; do
    XDG_CURRENT_DESKTOP=$desktop "$exe" >"$work/app.log" 2>&1 &
    app_pid=$!
    find_window || { cat "$work/app.log"; exit 1; }
    # Ten steps from the Celsius field: the button.
    xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return KP_Enter
    sleep 0.5
    kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: $desktop: Return or Enter on the button ended the program"; app_pid=; exit 1; }
    xdotool key space
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && { echo "FAIL: $desktop: Space on the button did not end the program"; exit 1; }
    wait "$app_pid" || { echo "FAIL: $desktop: exit status $?"; app_pid=; exit 1; }
    app_pid=
    echo "$desktop: only Space presses the button"
done
