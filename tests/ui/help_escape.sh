#!/usr/bin/env bash
# Escape closes the help window however soon it follows Alt+? or a click on
# "?", with no delay between the two: the window is not left open.
# Usage: help_escape.sh TIRLO_BINARY
set -euo pipefail
binary=$1
source "$(dirname "$0")/x_session.sh"
start_x_session

"$binary" &
app=$!
window=$(tirlo_window "$app")
# In a corner, so that the help window, which opens in another, covers none of it.
xdotool windowmove --sync "$window" 480 400
fade_end "$window"
# The formula each click on OK rolls, typed in the formula box, reached from
# OK with the keyboard: keys sent after a click can overtake it.
xdotool key shift+Tab shift+Tab ctrl+a type 1
help_window() { xdotool search --all --pid "$app" --name '^help/copyright$' || true; }
help_closed() {
    for _ in $(seq 200); do
        [[ -z $(help_window) ]] && return 0
        sleep 0.05
    done
    return 1
}

# What the user does, and whether the help window is then open. Each five
# times. The window's absence is read once a click on OK has rolled the
# formula and the fade of that roll has ended: after the program has handled
# the keys before the click, and the 100 ms for which Alt+? holds "?" down.
while IFS='|' read -r what actions open; do
    for try in 1 2 3 4 5; do
        xdotool windowactivate --sync "$window"
        # shellcheck disable=SC2086 # the actions are words for xdotool
        if [[ $open == yes ]]; then
            xdotool ${actions//@main/$window}
            timeout 20 xdotool search --all --sync --onlyvisible --pid "$app" --name '^help/copyright$' \
                mousemove --window %1 50 50 click 1 >/dev/null ||
                fail "$what (try $try): the help window did not open"
            help_closed || fail "a click on the help window did not close it"
        else
            fade_end "$window" ${actions//@main/$window} mousemove --window "$window" 20 43 click 1
            [[ -z $(help_window) ]] || fail "$what (try $try): the help window is still open"
        fi
    done
    echo "PASS: $what: help window open '$open', five times out of five"
done <<'CASES'
Alt+? alone|key alt+question|yes
Alt+? then Escape at once|key --delay 0 alt+question Escape|no
a click on "?" then Escape at once|mousemove --window @main 130 43 click 1 key --delay 0 Escape|no
CASES
kill -0 "$app" || fail "the program ended"
