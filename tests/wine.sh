# Sourced by the scripts that run the Windows build under Wine: an X server
# of their own and the program's window (xvfb.sh), Wine quiet and without
# Mono or Gecko, and fields typed into and read back through the clipboard,
# as a user would.
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
require "wine xvfb xdotool xclip" wine wineserver Xvfb xdotool xclip
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

# What the focused field shows, copied as a user copies it.
copied() {
    : | xclip -selection clipboard
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    timeout 5 xclip -o -selection clipboard 2>/dev/null
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

# What a script claims, said as "ok" or "FAIL"; a FAIL sets $failed, its
# exit status. verdict takes the status the claim's test gave, check a test
# to run; fail says a FAIL outright.
failed=0
verdict() {
    if [ "$1" = 0 ]; then echo "ok: $2"; else echo "FAIL: $2"; failed=1; fi
}
check() {
    eval "$2"
    verdict $? "$1"
}
fail() { verdict 1 "$*"; }

# Makes a new Wine prefix in FOLDER and waits until Wine is done with it.
boot_prefix() {
    WINEPREFIX=$1 wineboot --init >/dev/null 2>&1
    WINEPREFIX=$1 wineserver -w
}

# A fresh Wine prefix of the script's own: a copy of VELMARIN_WINE_PREFIX
# where CTest has booted one for all the scripts (wineboot takes some 12 s),
# else booted here.
fresh_prefix() {
    export WINEPREFIX=$work/wine
    if [ -f "${VELMARIN_WINE_PREFIX-}/system.reg" ]; then
        cp -a "$VELMARIN_WINE_PREFIX" "$WINEPREFIX"
    else
        boot_prefix "$WINEPREFIX"
    fi
}

# An X server and a fresh Wine prefix of the script's own, both gone when it
# ends, with the program it starts as $app_pid.
app_pid=
start_wine() {
    trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; wineserver -k 2>/dev/null; stop_xvfb' EXIT
    start_xvfb
    fresh_prefix
}
