#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the desktop finds
# everything: the program, its menu entry and its icon.
# Usage: installed_tree.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -x $prefix/bin/tirlo ]] || fail "bin/tirlo is missing or not executable"
desktop=$prefix/share/applications/tirlo.desktop
[[ -f $desktop ]] || fail "the desktop file is missing"
desktop-file-validate "$desktop" || fail "the desktop file does not validate"
grep -qx 'Exec=tirlo' "$desktop" || fail "the desktop file does not start tirlo"
icon=$prefix/share/icons/hicolor/32x32/apps/tirlo.png
[[ -f $icon ]] || fail "the icon is missing"
[[ $(identify -format '%m %wx%h' "$icon") == "PNG 32x32" ]] || fail "the icon is not a 32x32 PNG"
echo "PASS: bin/tirlo, tirlo.desktop and the hicolor icon installed under a fresh prefix"
