#!/usr/bin/env bash
# The real program under Xvfb with qt6ct as its platform theme, while the
# desktop changes under it: qt6ct.conf is written anew beside itself and
# renamed over the old one, as qt6ct's own dialog does, first to a dark
# palette, then to another style and font, then to another style alone.
# After each change the window, with what was typed, converted and refused,
# must paint exactly as a fresh start with the new settings and the same
# input.
set -u
exe=$1
. "$(dirname "$0")/xvfb.sh"
require "xvfb xdotool imagemagick qt6ct" Xvfb xdotool import compare qt6ct
trap 'for pid in $live $fresh; do kill "$pid" 2>/dev/null; done; stop_xvfb' EXIT
live=
fresh=
start_xvfb
unset QT_QPA_PLATFORM
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORMTHEME=qt6ct LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
# No style's hover highlight under the pointer.
xdotool mousemove 0 0

# The window's client area as painted now.
shot() { import -window "$window" "$work/$1.png"; }

# Waits until the window has painted the same twice in a row: Adwaita
# animates the focus frame, and under load an animation outlasts any fixed
# pause, so a frame still fading would differ from the other window's.
settle() {
    local i
    import -window "$window" "rgb:$work/settle-a"
    for i in $(seq 50); do
        sleep 0.2
        import -window "$window" "rgb:$work/settle-b"
        cmp -s "$work/settle-a" "$work/settle-b" && return
        mv "$work/settle-b" "$work/settle-a"
    done
}

# Keys, one at a time, each let finish painting.
keys() {
    local key
    for key in "$@"; do
        xdotool key "$key"
        settle
    done
}

# Starts the program and makes the same entries: 1 m, "abc" refused in feet,
# and the focus left in yards. Sets $started and $window.
start() {
    "$exe" >>"$work/app.log" 2>&1 &
    started=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --all --onlyvisible --pid "$started" --name '^Velmarin$' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "FAIL: no window 'Velmarin' appeared"; cat "$work/app.log"; exit 1; }
    xdotool windowfocus --sync "$window"
    settle
    keys Tab Tab
    xdotool type --delay 20 1
    keys Tab Tab Tab
    xdotool type --delay 20 abc
    keys Tab
}

# Waits until the live window has taken in the new settings (qt6ct reads
# them about 3 s after the rename) and no longer changes, then compares it
# with a fresh start under them.
judge() {
    local name=$1 before=$2 differing attempt i
    for i in $(seq 40); do
        sleep 0.25
        shot "$name-live"
        cmp -s "$work/$before.png" "$work/$name-live.png" || break
    done
    settle
    shot "$name-live"
    # Adwaita now and then leaves a focus frame half drawn in a field that
    # the focus left while the frame faded in: a fresh start painted so is
    # no reference, and a second one is made.
    for attempt in 1 2; do
        start
        fresh=$started
        shot "$name-fresh"
        kill "$fresh"
        wait "$fresh" 2>/dev/null
        fresh=
        # ImageMagick 7 adds the normalised count in brackets: "0 (0)".
        differing=$(compare -metric AE "$work/$name-live.png" "$work/$name-fresh.png" null: 2>&1)
        differing=${differing%% *}
        [ "$differing" = 0 ] && break
        echo "$name: fresh start $attempt differs in $differing pixels"
    done
    window=$live_window
    xdotool windowfocus --sync "$window"
    settle
    if [ "$differing" != 0 ]; then
        echo "FAIL: $name: the live window differs from a fresh start in $differing pixels"
        [ -n "${VELMARIN_SHOTS-}" ] && cp "$work/$name-live.png" "$work/$name-fresh.png" "$VELMARIN_SHOTS/"
        exit 1
    fi
    echo "$name: the live window paints as a fresh start does"
}

desktop Fusion false "Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
start
live=$started
live_window=$window
shot start

desktop Fusion true "Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
judge "dark palette" start
desktop Adwaita false "Cantarell,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
judge "Adwaita, Cantarell 12" "dark palette-live"
# The style alone: qt6ct's proxy style keeps its name, and Adwaita leaves
# its text margins on the fields.
desktop Fusion false "Cantarell,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
judge "Fusion, Cantarell 12" "Adwaita, Cantarell 12-live"
kill -0 "$live" || { echo "FAIL: the program ended"; cat "$work/app.log"; exit 1; }
