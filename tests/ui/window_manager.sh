# Sourced by the scripts that run the program under Xvfb.
# start_window_manager: starts openbox in the background and waits until it
# manages windows. Now and then openbox fails to open a display that has just
# come up; it is then started again.
start_window_manager() {
    local attempt
    for attempt in 1 2 3; do
        openbox >/dev/null 2>&1 &
        if timeout 5 bash -c 'until wmctrl -m >/dev/null 2>&1; do sleep 0.1; done'; then
            return 0
        fi
    done
    echo "FAIL: openbox did not start" >&2
    return 1
}
