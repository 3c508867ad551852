#!/usr/bin/env bash
# The program writes nothing to stderr while a busy screen reader listens to
# its keys and a long formula is typed, pasted and rolled; a user's
# QT_LOGGING_RULES still brings the screen reader's warnings back. Each run
# ends once the roll's total shows: every key has then been through Qt's
# accessibility bridge, which logs those warnings.
# Usage: quiet_logs.sh TIRLO_BINARY
set -euo pipefail
binary=$1
here=$(dirname "$0")
work=$(mktemp -d)
source "$here/x_session.sh"
start_x_session accessibility
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# A desktop session has one; without it Qt warns, rightly.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime

/usr/bin/python3 "$here/busy_screen_reader.py" 120 >"$work/listening" &
timeout 10 bash -c "until [[ -s $work/listening ]]; do sleep 0.1; done"

# 32 KiB whose total is known: 8192 terms of 3d1.
printf '%s3d1' "$(printf '3d1+%.0s' $(seq 8191))" | xclip -selection clipboard
total=" 24576"
printf '1%.0s' $(seq 300) >"$work/typed"

# result_shows PID TEXT: waits, a minute or more, until the result box shows TEXT.
result_shows() {
    /usr/bin/python3 -c 'import sys, time, pyatspi
for _ in range(600):
    app = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == int(sys.argv[1])]
    box = app and pyatspi.findDescendant(app[0], lambda o: o.name == "Résultat")
    if box and box.queryText().getText(0, -1) == sys.argv[2]:
        sys.exit(0)
    time.sleep(0.1)
sys.exit(1)' "$@"
}

# Rules the user may set, and whether the screen reader's warnings must then show.
while read -r rules warnings_show; do
    QT_LOGGING_RULES=${rules#-} "$binary" 2>"$work/err" &
    app=$!
    window=$(tirlo_window "$app")
    fade_end "$window" # the fade gives the focus to OK until it ends
    xdotool mousemove --window "$window" 30 12 click 1
    xdotool type --delay 0 --file "$work/typed"
    xdotool key ctrl+a ctrl+v Return
    result_shows "$app" "$total" || fail "with rules '$rules', the result box never showed '$total'"
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
