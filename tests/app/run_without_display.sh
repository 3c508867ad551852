#!/usr/bin/env bash
# `make run` with no graphical session must stop before it builds anything,
# say why and how to get one, and fail; with either kind of session it goes on.
# Usage: run_without_display.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# DISPLAY, WAYLAND_DISPLAY (unset, empty or a value), and whether make run may go on.
while read -r display wayland goes_on; do
    env=(env -u DISPLAY -u WAYLAND_DISPLAY)
    for var in DISPLAY=$display WAYLAND_DISPLAY=$wayland; do
        case ${var#*=} in
        unset) ;;
        empty) env+=("${var%%=*}=") ;;
        *) env+=("$var") ;;
        esac
    done
    got=yes
    "${env[@]}" "$source/scripts/require-display" 2>/dev/null || got=no
    [[ $got == "$goes_on" ]] || fail "DISPLAY $display, WAYLAND_DISPLAY $wayland: goes on '$got'"
done <<'CASES'
unset unset no
empty empty no
:0 unset yes
unset wayland-0 yes
CASES

status=0
env -u DISPLAY -u WAYLAND_DISPLAY make -C "$source" run BUILD="$work/build" >"$work/out" 2>&1 || status=$?
[[ $status -ne 0 ]] || fail "make run without a display ended with status 0"
[[ ! -e $work/build ]] || fail "make run without a display started a build"
for words in "graphical session" "DISPLAY" "WAYLAND_DISPLAY" "xvfb-run make run"; do
    grep -qF "$words" "$work/out" || fail "make run without a display does not say '$words': $(cat "$work/out")"
done
echo "PASS: without DISPLAY or WAYLAND_DISPLAY, make run stops before building and says why"
