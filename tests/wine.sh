# Sourced by the scripts that run the Windows build under Wine: an X server
# of their own (xvfb.sh), Wine quiet and without Mono or Gecko, and the
# program's window found, typed into and read back through the clipboard, as
# a user would.
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
require "wine xvfb xdotool xclip" wine wineserver Xvfb xdotool xclip
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
window=

# Waits for the window titled Velmarin to show, up to 30 s (Wine may first
# have to set up its prefix).
find_window() {
    window=
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name '^Velmarin$' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "FAIL: no window 'Velmarin' appeared"; return 1; }
    xdotool windowfocus --sync "$window"
}

# What the focused field shows, copied as a user copies it.
copied() {
    : | xclip -selection clipboard
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    xclip -o -selection clipboard 2>/dev/null
}

# Replaces the focused field's text by pasting, as Ctrl+A, Ctrl+V do.
paste_text() {
    printf '%s' "$1" | xclip -selection clipboard
    xdotool key ctrl+a ctrl+v
}

# Types into the focused field and leaves it with Tab.
enter() {
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Tab
    sleep 0.3
}

# Clicks "Schliessen": Left 160, Top 424, 121 x 25 pixels of the client area,
# at 96 DPI.
click_close() {
    xdotool mousemove --window "$window" 220 436 click 1
}

# Waits up to 10 s for the process to end; its exit status in $status.
wait_exit() {
    local pid=$1
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: still running 10 s after Schliessen"
        return 1
    fi
    wait "$pid"
    status=$?
}
