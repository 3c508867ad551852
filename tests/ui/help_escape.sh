#!/usr/bin/env bash
# Escape closes the help window however soon it follows Alt+? or a click on
# "?", with no delay between the two: the window is not left open.
# Usage: help_escape.sh TIRLO_BINARY   (run under xvfb-run)
set -euo pipefail
binary=$1
source "$(dirname "$0")/window_manager.sh"
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
start_window_manager

"$binary" &
app=$!
window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app" --name '^Tirlo$' | head -n 1)
sleep 0.5 # the start-up fade
help_window() { xdotool search --all --onlyvisible --pid "$app" --name '^help/copyright$' || true; }

# What the user does, and whether the help window is then open. Each five times.
while IFS='|' read -r what actions open; do
    for try in 1 2 3 4 5; do
        # shellcheck disable=SC2086 # the actions are words for xdotool
        xdotool ${actions//@main/$window}
        sleep 0.7
        shown=$(help_window)
        if [[ $open == yes ]]; then
            [[ -n $shown ]] || fail "$what (try $try): the help window did not open"
            xdotool mousemove --window "${shown%%$'\n'*}" 50 50 click 1
            sleep 0.5
        else
            [[ -z $shown ]] || fail "$what (try $try): the help window is still open"
        fi
    done
    echo "PASS: $what: help window open '$open', five times out of five"
done <<'CASES'
Alt+? alone|key alt+question|yes
Alt+? then Escape at once|key --delay 0 alt+question Escape|no
a click on "?" then Escape at once|mousemove --window @main 130 43 click 1 key --delay 0 Escape|no
CASES
kill -0 "$app" || fail "the program ended"
