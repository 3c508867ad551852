#!/usr/bin/env bash
# Started with no graphical session to open its window in, the program says so
# in one short message, in French and in English, and ends with status 1. Any
# other fatal start-up error still aborts with Qt's own message.
# Usage: no_display.sh TIRLO_BINARY
set -euo pipefail
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display number that no X server holds.
dead=90
while [[ -e /tmp/.X$dead-lock || -e /tmp/.X11-unix/X$dead ]]; do dead=$((dead + 1)); done
# An empty runtime folder, so that no Wayland compositor of the session is found.
mkdir -m 700 "$work/runtime"

# What the environment has, the exit status expected, and text stderr must hold.
while IFS='|' read -r case settings status words; do
    env=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime")
    read -ra extra <<<"${settings//@dead/$dead}"
    got=0
    timeout 20 "${env[@]}" "${extra[@]}" "$binary" >"$work/out" 2>"$work/err" || got=$?
    [[ $got == "$status" ]] || fail "$case: status $got, not $status: $(cat "$work/err")"
    grep -qF -- "$words" "$work/err" || fail "$case: stderr lacks '$words': $(cat "$work/err")"
    if [[ $status == 1 ]]; then
        [[ $(wc -l <"$work/err") == 4 ]] || fail "$case: more than the message: $(cat "$work/err")"
        for said in "session graphique" "graphical session" "WAYLAND_DISPLAY" "ssh -X" "xvfb-run"; do
            grep -qF "$said" "$work/err" || fail "$case: the message does not say '$said'"
        done
    fi
    echo "PASS: $case: status $got"
done <<'CASES'
no DISPLAY nor WAYLAND_DISPLAY||1|Tirlo needs a graphical session
DISPLAY naming no server|DISPLAY=:@dead|1|Tirlo needs a graphical session
a platform that does not exist|QT_QPA_PLATFORM=bogus|1|Tirlo needs a graphical session
Wayland without a compositor|QT_QPA_PLATFORM=wayland|1|Tirlo needs a graphical session
another fatal error, warnings made fatal|DISPLAY=:@dead QT_FATAL_WARNINGS=1|134|could not connect to display
CASES
