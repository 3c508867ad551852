# Sourced by the scripts that still start openbox themselves under xvfb-run:
# start_window_manager comes from x_session.sh.
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
