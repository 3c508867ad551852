#!/usr/bin/env bash
# Started with no graphical session to open its window in, the program says so
# in one short message, in French and in English, and ends with status 1. With
# a session that Qt cannot start on, it shows Qt's messages, which name the
# cause, then a hint, and ends with status 1. Any other fatal start-up error
# still aborts with Qt's own message.
# Usage: failed_start.sh TIRLO_BINARY   (run under xvfb-run)
set -euo pipefail
binary=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display number that no X server holds.
dead=90
while [[ -e /tmp/.X$dead-lock || -e /tmp/.X11-unix/X$dead ]]; do dead=$((dead + 1)); done
# An empty runtime folder, so that no Wayland compositor of the session is found.
mkdir -m 700 "$work/runtime"
# A socket there that takes connections, as a compositor's does.
python3 -c 'import signal, socket, sys; s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1]); s.listen(); signal.pause()' "$work/runtime/wayland-live" &
# A broken copy of a library that the X11 plugin needs, found first.
mkdir "$work/hidden"
: >"$work/hidden/libxcb-icccm.so.4"
timeout 10 bash -c "until [[ -S $work/runtime/wayland-live ]]; do sleep 0.1; done"

no_session="Tirlo needs a graphical session"
hint="Tirlo could not open its window on the display it found"
# What the environment has, the exit status expected, and text stderr must hold.
while IFS='|' read -r case settings status words; do
    env=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime")
    settings=${settings//@dead/$dead}
    settings=${settings//@live/$DISPLAY}
    read -ra extra <<<"${settings//@hidden/$work/hidden}"
    got=0
    timeout 20 "${env[@]}" "${extra[@]}" "$binary" >"$work/out" 2>"$work/err" || got=$?
    [[ $got == "$status" ]] || fail "$case: status $got, not $status: $(cat "$work/err")"
    grep -qF -- "$words" "$work/err" || fail "$case: stderr lacks '$words': $(cat "$work/err")"
    if [[ $words == "$no_session" ]]; then
        [[ $(wc -l <"$work/err") == 4 ]] || fail "$case: more than the message: $(cat "$work/err")"
        for said in "session graphique" "graphical session" "WAYLAND_DISPLAY" "ssh -X" "xvfb-run"; do
            grep -qF "$said" "$work/err" || fail "$case: the message does not say '$said'"
        done
    elif [[ $status == 1 ]]; then
        [[ $(tail -n 1 "$work/err") == "$hint"* ]] || fail "$case: no hint after Qt's messages"
        ! grep -qF "$no_session" "$work/err" || fail "$case: taken for a missing session"
    fi
    echo "PASS: $case: status $got"
done <<'CASES'
no DISPLAY nor WAYLAND_DISPLAY||1|Tirlo needs a graphical session
DISPLAY naming no server|DISPLAY=:@dead|1|Tirlo needs a graphical session
a platform that does not exist|QT_QPA_PLATFORM=bogus|1|Tirlo needs a graphical session
Wayland without a compositor|QT_QPA_PLATFORM=wayland|1|Tirlo needs a graphical session
WAYLAND_DISPLAY naming no compositor|QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-none|1|Tirlo needs a graphical session
another fatal error, warnings made fatal|DISPLAY=:@dead QT_FATAL_WARNINGS=1|134|could not connect to display
a live display, the X11 plugin's library hidden|DISPLAY=@live LD_LIBRARY_PATH=@hidden|1|Could not load the Qt platform plugin "xcb"
a live display, a platform that does not exist|DISPLAY=@live QT_QPA_PLATFORM=bogus|1|Could not find the Qt platform plugin "bogus"
a live Wayland socket, a platform that does not exist|WAYLAND_DISPLAY=wayland-live QT_QPA_PLATFORM=bogus|1|Could not find the Qt platform plugin "bogus"
CASES
