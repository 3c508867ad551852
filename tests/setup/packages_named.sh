#!/usr/bin/env bash
# Every program and Python module the tests start must come from a package that
# scripts/install-deps names, or that such a package depends on directly (as
# imagemagick brings import), or from an essential package, which every Debian
# system has: otherwise the tests pass only where someone once
# installed it by hand. Checked against the packages installed here.
# Usage: packages_named.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/install-deps
fail() { echo "FAIL: $*" >&2; exit 1; }
eval "$(sed -n '/^declare -A group=(/,/^)/p' "$script")"
# One blank between names, whichever blanks or line breaks the lists hold.
named=" $(echo ${group[run]} ${group[test]}) "

owner() { # the package that installed a file, also where /bin is /usr/bin
    local path=$1
    dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "${path#/usr}" 2>/dev/null ||
        dpkg-query -S "$(readlink -f "$path")" 2>/dev/null || true
}

checked=0
# What a test starts, and the package that install-deps names for it.
while read -r kind what package; do
    [[ $named == *" $package "* ]] || fail "$what: $package is not in install-deps' run or test group"
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
program xvfb-run xvfb
program Xvfb xvfb
program xclip xclip
program xauth xauth
program xdotool xdotool
program xwininfo x11-utils
program xprop x11-utils
program wmctrl wmctrl
program openbox openbox
program import imagemagick
program identify imagemagick
program rsvg-convert librsvg2-bin
program desktop-file-validate desktop-file-utils
program lintian lintian
program appstreamcli appstream
path /usr/libexec/appstreamcli-compose appstream-compose
program weston weston
path /usr/lib/x86_64-linux-gnu/weston/kiosk-shell.so weston
program dbus-run-session dbus-daemon
program dbus-send dbus-daemon
program dbus-daemon dbus-daemon
path /usr/libexec/at-spi-bus-launcher at-spi2-core
python pyatspi python3-pyatspi
python gi python3-gi
python Xlib python3-xlib
program dpkg-deb dpkg-dev
program dpkg-parsechangelog dpkg-dev
program dpkg-shlibdeps dpkg-dev
program file file
program clang++ clang
program cmake cmake
program dpkg-buildpackage dpkg-dev
program dh debhelper
program git git
program blhc blhc
program hardening-check devscripts
program autopkgtest autopkgtest
program diffoscope diffoscope-minimal
USED
echo "PASS: the $checked programs and modules the tests start come from packages install-deps names"
