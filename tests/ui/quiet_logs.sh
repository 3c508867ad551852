#!/usr/bin/env bash
# The program writes nothing to stderr while a busy screen reader listens to
# its keys and a long formula is typed, pasted and rolled; a user's
# QT_LOGGING_RULES still brings the screen reader's warnings back.
# Usage: quiet_logs.sh TIRLO_BINARY   (run under xvfb-run and dbus-run-session)
set -euo pipefail
binary=$1
here=$(dirname "$0")
work=$(mktemp -d)
source "$here/window_manager.sh"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A desktop session has one; without it Qt warns, rightly.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

start_window_manager
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
timeout 10 bash -c 'until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1; do sleep 0.1; done'
/usr/bin/python3 "$here/busy_screen_reader.py" 120 >"$work/listening" &
timeout 10 bash -c "until [[ -s $work/listening ]]; do sleep 0.1; done"

printf '3d6+%.0s' $(seq 8192) | xclip -selection clipboard
printf '1%.0s' $(seq 300) >"$work/typed"

# Rules the user may set, and whether the screen reader's warnings must then show.
while read -r rules warnings_show; do
    QT_LOGGING_RULES=${rules#-} "$binary" 2>"$work/err" &
    app=$!
    window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app" --name '^Tirlo$' | head -n 1)
    sleep 0.5 # the fade ends, and with it its moves of the focus
    xdotool mousemove --window "$window" 30 12 click 1
    xdotool type --delay 0 --file "$work/typed"
    xdotool key ctrl+a ctrl+v Return
    sleep 2
    kill "$app"
    wait "$app" || true
    lines=$(wc -l <"$work/err")
    if [[ $warnings_show == no ]]; then
        [[ $lines == 0 ]] || fail "with rules '$rules', $lines lines on stderr: $(head -3 "$work/err")"
    else
        grep -q "QSpiApplication::keyEventError" "$work/err" ||
            fail "with rules '$rules', the screen reader's warnings do not show"
    fi
    echo "PASS: with rules '$rules', $lines lines on stderr"
done <<'CASES'
- no
tirlo.atspi.keys.warning=true yes
CASES
