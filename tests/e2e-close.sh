#!/usr/bin/env bash
# Starts the real program under Xvfb on a laptop's screen, types a length
# into a field, leaves it with Tab and ends the program with "Schliessen":
# the exit status must be 0. Then, on each desktop, Return and Enter on the
# focused button leave the program running, and Space ends it. GNOME's
# platform theme counts Return among the keys that press a button. Last,
# with GNOME's Large Text, the whole window, a refusal's note and the button
# are on the screen.
set -u
exe=$1
. "$(dirname "$0")/xvfb.sh"
require "xvfb xdotool imagemagick qt6ct" Xvfb xdotool convert qt6ct
app_pid=
trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; stop_xvfb' EXIT
screen_width=1280 screen_height=720
start_xvfb ${screen_width}x$screen_height
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

# GNOME's Large Text scales fonts by 1.25, as a font DPI of 120 does; its
# style is Adwaita and its font Cantarell 11.
export HOME=$work XDG_CONFIG_HOME=$work/config
desktop Adwaita false "Cantarell,11,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
QT_QPA_PLATFORMTHEME=qt6ct QT_FONT_DPI=120 "$exe" >"$work/app.log" 2>&1 &
app_pid=$!
find_window || { cat "$work/app.log"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt $screen_width ] || [ $((Y + HEIGHT)) -gt $screen_height ]; then
    echo "FAIL: Large Text: the window, ${WIDTH}x$HEIGHT at $X,$Y, is not inside the ${screen_width}x$screen_height screen"
    exit 1
fi
xdotool type --delay 20 abc
xdotool key Tab
sleep 0.5
# The note, in its pale red with dark red text, in the window's bottom
# strip, beside the button.
import -window root -crop "${WIDTH}x$((HEIGHT / 10))+$X+$((Y + HEIGHT - HEIGHT / 10))" "$work/large.png"
note=$(convert "$work/large.png" -fill black +opaque '#fff0f0' -fill white -opaque '#fff0f0' -format '%@' info: 2>/dev/null)
ink=$(convert "$work/large.png" -fill black +opaque '#8b0000' -fill white -opaque '#8b0000' -format '%@' info: 2>/dev/null)
if [ "${note%%x*}" -lt 60 ] || [ "${ink%%x*}" -lt 20 ]; then
    echo "FAIL: Large Text: no note with its text on the screen (note $note, text $ink)"
    exit 1
fi
echo "Large Text: the window ${WIDTH}x$HEIGHT at $X,$Y and the note ($note) are on the screen"
close_window "Large Text" || exit 1
