#!/usr/bin/env bash
# Runs a test program on a headless Wayland compositor of its own: weston,
# sway or mutter (Debian packages of those names, and qt6-wayland).
# QT_PLUGIN_DIR: where Qt's plugins are installed.
set -u
compositor=$1 test_program=$2
command -v "$compositor" >/dev/null || { echo "SKIPPED: $compositor is not installed"; exit 77; }
# Qt 6.4 to 6.9 call the plugin libqwayland-generic.so, later ones libqwayland.so.
platforms=${QT_PLUGIN_DIR:-}/platforms
[ -e "$platforms/libqwayland-generic.so" ] || [ -e "$platforms/libqwayland.so" ] \
    || { echo "SKIPPED: Qt's Wayland plugin is not installed (qt6-wayland)"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$runtime"
}
trap cleanup EXIT

socket=velmarin-test
case $compositor in
weston)
    XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket --idle-time=0 \
        >"$runtime/log" 2>&1 &
    pids+=($!)
    ;;
sway)
    # sway will not run as root; the test program, as root, still reaches
    # a socket of another user's. It names its socket itself.
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody "$runtime"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    echo "output HEADLESS-1 resolution 1280x1024" >"$runtime/config"
    XDG_RUNTIME_DIR=$runtime HOME=$runtime WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        "${as_user[@]}" sway --config "$runtime/config" >"$runtime/log" 2>&1 &
    pids+=($!)
    socket=wayland-1
    ;;
mutter)
    # mutter wants a session bus.
    dbus-daemon --session --nofork --address="unix:path=$runtime/bus" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -S "$runtime/bus" ] && break; sleep 0.1; done
    XDG_RUNTIME_DIR=$runtime DBUS_SESSION_BUS_ADDRESS="unix:path=$runtime/bus" mutter --headless --wayland \
        --no-x11 --wayland-display=$socket --virtual-monitor 1280x1024 >"$runtime/log" 2>&1 &
    pids+=($!)
    ;;
*)
    echo "FAIL: no compositor called $compositor"
    exit 1
    ;;
esac
for _ in $(seq 100); do [ -S "$runtime/$socket" ] && break; sleep 0.1; done
[ -S "$runtime/$socket" ] || { echo "FAIL: $compositor did not start"; cat "$runtime/log"; exit 1; }
# sway takes commands (a new output scale) on its own socket.
if [ "$compositor" = sway ]; then
    for _ in $(seq 50); do
        SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -n1)
        [ -n "$SWAYSOCK" ] && break
        sleep 0.1
    done
    export SWAYSOCK
fi

XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$test_program" >"$runtime/out" 2>&1 &
test_pid=$!
pids+=($test_pid)
# Qt 6.11's Wayland client now and then hangs in its own event thread as
# the program exits, the tests all done: one in some twenty runs, with or
# without a window shown. That hang alone is told, and not counted.
while kill -0 "$test_pid" 2>/dev/null && ! grep -q '^\*\*\*\*\*\*\*\*\* Finished testing' "$runtime/out"; do
    sleep 0.2
done
for _ in $(seq 50); do kill -0 "$test_pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$test_pid" 2>/dev/null && grep -q '^Config: Using QtTest library 6\.1[1-9]' "$runtime/out" \
    && grep -q '^Totals: .* 0 failed' "$runtime/out"; then
    cat "$runtime/out"
    echo "Qt's Wayland client hung at the program's exit, every test passed: not counted"
    exit 0
fi
wait "$test_pid"
status=$?
cat "$runtime/out"
exit "$status"
