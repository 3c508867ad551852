#!/usr/bin/env bash
# What a screen reader hears from the real program: an X server with a window
# manager, a D-Bus session with the accessibility bus and its registry, and the
# program in an English session, driven from the keyboard and the mouse by a
# script that reads the windows as a screen reader does.
# Usage: screen_reader.sh TIRLO_BINARY SCRIPT.py
set -euo pipefail
binary=$1
script=$2
here=$(dirname "$0")
source "$here/x_session.sh"
start_x_session accessibility

LANG=en_US.UTF-8 "$binary" &
app=$!
window=$(tirlo_window "$app")
# Debian's python3, which has the AT-SPI bindings.
/usr/bin/python3 "$here/$script" "$window" "$app"
