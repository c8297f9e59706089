#!/usr/bin/env bash
# Starts the real program under Xvfb in a D-Bus session of its own, with the
# accessibility bus, and checks what a screen reader hears over AT-SPI.
set -u
exe=$1
here=$(dirname "$0")
. "$here/xvfb.sh"
require "xvfb xdotool xclip dbus-daemon at-spi2-core" Xvfb xdotool xclip dbus-run-session /usr/libexec/at-spi-bus-launcher
if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
    echo "SKIPPED: python3-gi and gir1.2-atspi-2.0 are not installed"
    exit 77
fi
trap stop_xvfb EXIT
start_xvfb
export HOME=$work XDG_RUNTIME_DIR=$work
dbus-run-session -- /usr/bin/python3 "$here/a11y_events.py" "$exe"
