# Sourced by the scripts that run the real program: a scratch folder and an
# X server of their own, both gone when the script ends.
work=$(mktemp -d)
xvfb_pid=

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

# Starts Xvfb on a display it picks itself and exports DISPLAY.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
}

stop_xvfb() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
