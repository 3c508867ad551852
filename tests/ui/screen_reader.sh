#!/usr/bin/env bash
# What a screen reader hears from the real program: an X server with a window
# manager, a D-Bus session with the accessibility bus and its registry, and the
# program in an English session, driven from the keyboard and the mouse by a
# script that reads the windows as a screen reader does.
# Usage: screen_reader.sh TIRLO_BINARY SCRIPT.py   (run under xvfb-run and dbus-run-session)
set -euo pipefail
binary=$1
script=$2
here=$(dirname "$0")

source "$here/window_manager.sh"

trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
start_window_manager
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
# What a screen reader does as it starts: turn accessibility on for every program.
timeout 10 bash -c 'until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1; do sleep 0.1; done'

LANG=en_US.UTF-8 "$binary" &
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tirlo$' | head -n 1)
# Debian's python3, which has the AT-SPI bindings.
/usr/bin/python3 "$here/$script" "$window" $!
