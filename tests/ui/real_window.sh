#!/usr/bin/env bash
# Starts the real program on an X server with a window manager, checks its
# window, saves a screenshot of it and closes it as a user would.
# Usage: real_window.sh TIRLO_BINARY SCREENSHOT_DIR
set -euo pipefail
binary=$1
shots=$2
mkdir -p "$shots"
source "$(dirname "$0")/x_session.sh"
start_x_session

"$binary" &
app=$!
id=$(tirlo_window "$app")
size=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[[ $size == 153x57 ]] || fail "client area is $size, not 153x57"
caption=$(xdotool getwindowname "$id")
[[ $caption == Tirlo ]] || fail "caption is '$caption'"
# The icon comes just after the window's first frame.
for _ in $(seq 50); do
    icons=$(xprop -len 1000000 -id "$id" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
    [[ $icons == *"(256 x 256)"* ]] && break
    sleep 0.1
done
[[ $icons == *"(16 x 16)"*"(256 x 256)"* ]] || fail "the window icon holds only $icons"

fade_end "$id"
import -frame -window "$id" "$shots/main-window.png"

wmctrl -i -c "$id"
status=0
timeout 10 tail --pid="$app" -f /dev/null || fail "the program did not end when its window was closed"
wait "$app" || status=$?
[[ $status -eq 0 ]] || fail "exit status $status"
echo "PASS: window 153x57 \"Tirlo\", icon 16 to 256 px, closed with status 0; screenshot in $shots/main-window.png"
