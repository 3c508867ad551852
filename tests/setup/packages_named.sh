#!/usr/bin/env bash
# Every program and Python module that the tests, make fuzz, make package or
# make test-fresh start must come from a package that scripts/install-deps names
# in the group that command installs (or in the run group, which every command
# installs), or from a package that such a package depends on directly (as
# imagemagick brings import), or from an essential package, which every Debian
# system has: otherwise they work only where someone once installed it by hand.
# Checked against the packages installed here: those of a group other than run
# and test are checked only where that group is installed.
# Usage: packages_named.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/install-deps
fail() { echo "FAIL: $*" >&2; exit 1; }
eval "$(sed -n '/^declare -A group=(/,/^)/p' "$script")"
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

owner() { # the package that installed a file, also where /bin is /usr/bin
    local path=$1
    dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "${path#/usr}" 2>/dev/null ||
        dpkg-query -S "$(readlink -f "$path")" 2>/dev/null || true
}

checked=0
not_here=()
# What is started, the package that install-deps names for it, and in which group.
while read -r kind what package needed_by; do
    # One blank between names, whichever blanks or line breaks the lists hold.
    named=" $(echo ${group[run]} ${group[$needed_by]}) "
    [[ $named == *" $package "* ]] || fail "$what: $package is not in install-deps' run or $needed_by group"
    if [[ $needed_by != test ]] && ! installed "$package"; then
        not_here+=("$what")
        continue
    fi
    case $kind in
    program) path=$(command -v "$what") || fail "$what is not installed (package $package)" ;;
    path) path=$what ;;
    python) path=$(/usr/bin/python3 -c "import $what; print($what.__file__)" 2>/dev/null) ||
        fail "Debian's python3 cannot import $what (package $package)" ;;
    esac
    from=$(owner "$path" | head -n 1 | cut -d: -f1)
    [[ -n $from ]] || fail "$what ($path) belongs to no package"
    essential=$(dpkg-query -W -f='${Essential}' "$from")
    if [[ $from != "$package" && $essential != yes ]]; then
        depends=$(dpkg-query -W -f='${Depends} ${Pre-Depends}' "$package")
        [[ $depends =~ (^|[ ,|])$from([ ,]|$) ]] ||
            fail "$what comes from $from, which $package neither is nor depends on"
    fi
    checked=$((checked + 1))
done <<'USED'
program xvfb-run xvfb test
program Xvfb xvfb test
program xauth xauth test
program xdotool xdotool test
program xwininfo x11-utils test
program xprop x11-utils test
program wmctrl wmctrl test
program openbox openbox test
program import imagemagick test
program identify imagemagick test
program xclip xclip test
program rsvg-convert librsvg2-bin test
program desktop-file-validate desktop-file-utils test
program dbus-run-session dbus-daemon test
program dbus-send dbus-daemon test
program dbus-daemon dbus-daemon test
path /usr/libexec/at-spi-bus-launcher at-spi2-core test
python pyatspi python3-pyatspi test
python gi python3-gi test
python Xlib python3-xlib test
program dpkg-parsechangelog dpkg-dev test
program cmake cmake test
program clang++ clang fuzz
program git git package
program dpkg-source build-essential package
program dpkg-buildpackage build-essential package
program dpkg-shlibdeps build-essential package
program dh debhelper package
program mmdebstrap mmdebstrap fresh
program git git fresh
program dpkg-source dpkg-dev fresh
program dpkg-deb dpkg-dev fresh
program lintian lintian fresh
program blhc blhc fresh
program hardening-check devscripts fresh
program diffoscope diffoscope-minimal fresh
program appstreamcli appstream fresh
path /usr/libexec/appstreamcli-compose appstream-compose fresh
USED
echo "PASS: the $checked programs and modules that are started come from packages install-deps names" \
    "${not_here:+(and the packages of ${not_here[*]}, not installed here, are named)}"
