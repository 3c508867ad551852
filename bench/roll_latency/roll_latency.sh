#!/usr/bin/env bash
# Return to the total on screen in the real program, on a virtual X server of
# its own with the window manager the tests use.
# Usage: roll_latency.sh [--rounds N] TIRLO...
set -euo pipefail
source "$(dirname "$0")/../../tests/ui/x_session.sh"
start_x_session
# Debian's python3, which has the X bindings.
/usr/bin/python3 "$(dirname "$0")/roll_latency.py" "$@"
