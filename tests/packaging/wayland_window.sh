#!/usr/bin/env bash
# Starts a program with Qt's Wayland plugin on a headless Wayland compositor and
# checks that it opens a native window whose app id names its menu entry: that
# is how a Wayland desktop finds the window's icon and entry.
# Usage: wayland_window.sh PROGRAM APP_ID
set -euo pipefail
program=$1
app_id=$2
runtime=$(mktemp -d)
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wait "${pids[@]}" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR=$runtime
# The kiosk shell and no input method: weston then starts no helper clients.
printf '[core]\nshell=kiosk-shell.so\n[input-method]\npath=\n' >"$runtime/weston.ini"
weston --config="$runtime/weston.ini" --backend=headless-backend.so --socket=wayland-tirlo \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
pids+=($!)
timeout 10 bash -c "until [[ -S $runtime/wayland-tirlo ]]; do sleep 0.1; done" ||
    fail "weston did not start: $(cat "$runtime/weston.log")"

log=$runtime/client.log
: >"$log"
env -u DISPLAY WAYLAND_DISPLAY=wayland-tirlo QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" 2>"$log" &
pids+=($!)
timeout 20 bash -c "until grep -q 'xdg_toplevel@[0-9]*\.set_app_id' '$log'; do
    kill -0 ${pids[1]} 2>/dev/null || exit 1; sleep 0.1; done" ||
    fail "no Wayland window: $(grep -v '^\[' "$log" | tail -n 5)"
grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$app_id\")" "$log" ||
    fail "the window's app id is not $app_id: $(grep -o 'set_app_id(.*)' "$log")"
echo "PASS: a native Wayland window with app id $app_id"
