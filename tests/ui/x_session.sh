# Sourced by the scripts that run the program on a virtual X server.
# start_x_session [accessibility]: starts Xvfb on a free display, which it
# names itself, so that tests can run side by side; then openbox; and with
# "accessibility", a D-Bus session with the accessibility bus turned on, as a
# screen reader turns it on for every program. Everything started in the
# background, the session included, ends with the script.
x_session_dir=$(dirname "${BASH_SOURCE[0]}")
fail() { echo "FAIL: $*" >&2; exit 1; }

start_x_session() {
    trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    read -r -t 20 display <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=:$display
    start_window_manager
    [[ ${1:-} == accessibility ]] || return 0
    mkfifo "$fifo"
    dbus-daemon --session --nofork --print-address=3 3>"$fifo" 2>/dev/null &
    read -r -t 10 DBUS_SESSION_BUS_ADDRESS <"$fifo" || fail "no D-Bus session"
    rm -f "$fifo"
    export DBUS_SESSION_BUS_ADDRESS
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    timeout 10 bash -c 'until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null 2>&1; do sleep 0.1; done' || fail "no accessibility bus"
}

# Starts openbox and waits until it manages windows. Now and then openbox fails
# to open a display that has just come up; it is then started again.
start_window_manager() {
    for _ in 1 2 3; do
        openbox >/dev/null 2>&1 &
        if timeout 5 bash -c 'until wmctrl -m >/dev/null 2>&1; do sleep 0.1; done'; then
            return 0
        fi
    done
    fail "openbox did not start"
}

# tirlo_window PID: the id of the program's main window, once it is mapped and
# has the keyboard: keys sent at once would otherwise be lost.
tirlo_window() {
    local id
    id=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$1" --name '^Tirlo$' | head -n 1)
    timeout 20 xdotool windowactivate --sync "$id"
    echo "$id"
}

# fade_end WINDOW [ROUNDS] [XDOTOOL_ARGS...]: does what the arguments tell
# xdotool and waits until the fade that follows has ended, ROUNDS times;
# without them, waits until the start-up fade has ended (window_waits.py).
fade_end() {
    /usr/bin/python3 "$x_session_dir/window_waits.py" "$@" || fail "the fade did not end"
}
