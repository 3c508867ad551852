#!/usr/bin/env bash
# What a screen reader hears from the real program: an X server with a window
# manager, a D-Bus session with the accessibility bus and its registry, and the
# program in an English session, driven from the keyboard and the mouse by a
# script that reads the windows as a screen reader does. Nothing may reach
# stderr meanwhile.
# Usage: screen_reader.sh TIRLO_BINARY SCRIPT.py
set -euo pipefail
binary=$1
script=$2
here=$(dirname "$0")
source "$here/x_session.sh"
start_x_session accessibility
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# A desktop session has one; without it Qt warns, rightly.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

LANG=en_US.UTF-8 "$binary" 2>"$work/err" &
app=$!
window=$(tirlo_window "$app")
# Debian's python3, which has the AT-SPI bindings.
/usr/bin/python3 "$here/$script" "$window" "$app"
[[ ! -s $work/err ]] || fail "stderr while read: $(head -n 3 "$work/err")"
