#!/usr/bin/env bash
# Runs a test program on a headless weston of its own (Debian packages weston
# and qt6-wayland). QT_PLUGIN_DIR: where Qt's plugins are installed.
set -u
test_program=$1
command -v weston >/dev/null || { echo "SKIPPED: weston is not installed"; exit 77; }
# Qt 6.4 to 6.9 call the plugin libqwayland-generic.so, later ones libqwayland.so.
platforms=${QT_PLUGIN_DIR:-}/platforms
[ -e "$platforms/libqwayland-generic.so" ] || [ -e "$platforms/libqwayland.so" ] \
    || { echo "SKIPPED: Qt's Wayland plugin is not installed (qt6-wayland)"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=velmarin-test --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$runtime/velmarin-test" ] && break; sleep 0.1; done
[ -S "$runtime/velmarin-test" ] || { echo "FAIL: weston did not start"; cat "$runtime/weston.log"; exit 1; }

XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=velmarin-test QT_QPA_PLATFORM=wayland "$test_program"
