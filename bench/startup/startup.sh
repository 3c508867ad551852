#!/usr/bin/env bash
# Start-up of Tirlo against its two yardsticks, on an X server with the window
# manager the tests use and a D-Bus session, as a desktop has.
# Usage: startup.sh TIRLO BARE WINDOW_ALONE [ROUNDS]   (run under xvfb-run and dbus-run-session)
set -euo pipefail
source "$(dirname "$0")/../../tests/ui/x_session.sh"
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
start_window_manager
# Debian's python3, which has the X bindings.
/usr/bin/python3 "$(dirname "$0")/startup.py" "$@"
