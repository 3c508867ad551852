#!/usr/bin/env bash
# Pasting a 32 KiB formula over itself 200 times, with rolls between, leaves
# the program's resident memory within 10 MB of where the first paste put it;
# pasting it and rolling it 200 times, as it is or with another ending each
# time, within 16 MB of where the first roll left it.
# Usage: bounded_memory.sh TIRLO_BINARY
set -euo pipefail
binary=$1
source "$(dirname "$0")/x_session.sh"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# Cut in the shell, not by head: head leaving early would end printf with
# SIGPIPE, which pipefail turns into a silent failure.
formula=$(printf '1000d+%.0s' $(seq 5462))

# rounds WINDOW COUNT PASTES ENDING: COUNT times, from OK, where each fade
# leaves the focus, back to the formula box with Shift+Tab (keys that follow a
# click may reach the program before it, as the window manager holds clicks
# a moment), PASTES pastes over its text, the ending typed with the round's
# number for {round}, and Enter (a carriage return to xdotool's type). Each
# round waits for the end of the fade that its roll starts: the program has
# then handled all of it.
rounds() {
    # shellcheck disable=SC2046 # the keys are words for xdotool
    fade_end "$1" "$2" key shift+Tab shift+Tab $(printf 'ctrl+a ctrl+v %.0s' $(seq "$3")) \
        type "$4"$'\r'
}
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# measure ENDING LATER...: in a session of its own, a first round of one
# paste, then the later ones, each given as COUNTxPASTES; prints resident
# memory after the first round and after the last.
measure() {
    local ending=$1 later window
    shift
    start_x_session
    "$binary" 2>/dev/null &
    local app=$!
    window=$(tirlo_window "$app")
    printf '%s' "${formula:0:32768}" | xclip -selection clipboard 2>/dev/null
    # xclip takes the clipboard only once it has gone to the background.
    timeout 10 bash -c 'until xclip -o -selection clipboard >/dev/null 2>&1; do sleep 0.05; done' ||
        fail "xclip did not take the clipboard"
    fade_end "$window"
    rounds "$window" 1 1 "$ending"
    rss_kib "$app"
    for later; do rounds "$window" "${later%x*}" "${later#*x}" "$ending"; done
    rss_kib "$app"
}

# What is done, its ending, the later rounds, and the bound in MB. Each in a
# session of its own, side by side: most of a round is its fade.
cases=("200 pastes of 32 KiB, a roll after each 20||9x20 1x19|10"
    "200 rolls of the same 32 KiB formula||199x1|16"
    "200 rolls of a 32 KiB formula, each with another ending|+{round}|199x1|16")
pids=()
for i in "${!cases[@]}"; do
    IFS='|' read -r what ending later bound <<<"${cases[i]}"
    # shellcheck disable=SC2086 # the later rounds are words
    (measure "$ending" $later >"$work/$i") 2>"$work/$i.err" &
    pids+=($!)
done
failed=0
for i in "${!cases[@]}"; do
    IFS='|' read -r what ending later bound <<<"${cases[i]}"
    first='' last=''
    if wait "${pids[i]}"; then { read -r first && read -r last; } <"$work/$i"; fi
    if [[ -z $last ]]; then
        echo "FAIL: $what: $(cat "$work/$i.err")" >&2
        failed=1
    elif (((last - first) / 1024 >= bound)); then
        echo "FAIL: $what took resident memory from $first to $last KiB" >&2
        failed=1
    else
        echo "PASS: $what: resident memory $first KiB after the first, $last KiB after the last"
    fi
done
exit $failed
