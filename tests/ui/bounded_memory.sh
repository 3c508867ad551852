#!/usr/bin/env bash
# Pasting a 32 KiB formula over itself 200 times, with rolls between, leaves
# the program's resident memory within 10 MB of where the first paste put it.
# Usage: bounded_memory.sh TIRLO_BINARY   (run under xvfb-run)
set -euo pipefail
binary=$1
source "$(dirname "$0")/window_manager.sh"
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
start_window_manager

# Under AddressSanitizer freed blocks wait in a 256 MB quarantine before their
# reuse: what is measured here is the program's memory, not that wait.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0 "$binary" 2>/dev/null &
app=$!
window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app" --name '^Tirlo$' | head -n 1)
# Cut in the shell, not by head: head leaving early would end printf with
# SIGPIPE, which pipefail turns into a silent failure.
formula=$(printf '1000d+%.0s' $(seq 5462))
printf '%s' "${formula:0:32768}" | xclip -selection clipboard

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$app/status"; }
# Waits until the program has handled every key sent to it: its CPU time stays still.
settle() {
    local before after=-1
    until [[ ${before:-} == "$after" ]]; do
        before=$after
        sleep 0.3
        after=$(awk '{print $14 + $15}' "/proc/$app/stat")
    done
}
# Pastes in rounds, each ended by a roll; the fade then moves the focus to OK.
paste_round() {
    sleep 0.5
    xdotool mousemove --window "$window" 30 12 click 1
    xdotool key $(printf 'ctrl+a ctrl+v %.0s' $(seq "$1")) Return
    settle
}

paste_round 1
first=$(rss_kib)
for _ in $(seq 9); do paste_round 20; done
paste_round 19
last=$(rss_kib)
growth=$(((last - first) / 1024))
[[ $growth -lt 10 ]] || fail "200 pastes of 32 KiB took resident memory from $first to $last KiB"
echo "PASS: 200 pastes of 32 KiB: resident memory $first KiB after the first, $last KiB after the last"
