# Sourced by the scripts that run the real program: a scratch folder and an
# X server of their own, both gone when the script ends, and the program's
# window found and closed with "Schliessen".
work=$(mktemp -d)
xvfb_pid=
window=

# Ends the script with 77 (CTest's skip) naming the Debian packages to install
# when one of the commands is missing.
require() {
    local packages=$1
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed (Debian packages $packages)"
            exit 77
        fi
    done
}

# The desktop as qt6ct tells it, in $XDG_CONFIG_HOME: STYLE, CUSTOM-PALETTE
# (true: a dark one, or false) and FONT, written anew beside the old
# settings and renamed over them, as qt6ct's own dialog does.
desktop() {
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf.new" <<EOF
[Appearance]
style=$1
custom_palette=$2
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
standard_dialogs=default
[Fonts]
general="$3"
[Interface]
cursor_flash_time=0
EOF
    mv "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf.new" "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
}

# Starts Xvfb on a display it picks itself, with a screen of SIZE (1024x768),
# and exports DISPLAY.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
}

stop_xvfb() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}

# Waits for the window titled Velmarin to show, up to SECONDS (10), and
# gives it the focus.
find_window() {
    local tenths=$((${1:-10} * 10))
    window=
    for _ in $(seq "$tenths"); do
        window=$(xdotool search --onlyvisible --name '^Velmarin$' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "FAIL: no window 'Velmarin' appeared"; return 1; }
    xdotool windowfocus --sync "$window"
}

# Clicks "Schliessen" (Left 160, Top 424, 121 x 25 pixels of the client
# area at 96 DPI) in the program started as $app_pid, logging to
# $work/app.log; fails unless it then ends within 10 s with status 0.
# NAME names it in what is said.
close_window() {
    local name=$1 status
    kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: $name ended before Schliessen"; cat "$work/app.log"; return 1; }
    # "Schliessen" stands in the middle, 20 px above the bottom edge, at
    # scale 1: wherever the frames' lines leave the rest of the window.
    local width height
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=' | tr 'A-Z' 'a-z')"
    xdotool mousemove --window "$window" $((width * 220 / 450)) $((height - 20 * width / 450)) click 1
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        echo "FAIL: $name still running 10 s after Schliessen"
        return 1
    fi
    wait "$app_pid"
    status=$?
    app_pid=
    echo "$name exited with status $status"
    [ "$status" -eq 0 ] || { cat "$work/app.log"; return 1; }
}
