#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the desktop finds
# everything: the program, its menu entry, its icon at every size, its
# software-centre listing and the man pages. The copyright and changelog are the
# Debian package's, installed by debhelper: nothing of debian/ is installed here.
# Usage: installed_tree.sh BUILD_DIR APP_ID
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
id=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -x $prefix/games/tirlo ]] || fail "games/tirlo is missing or not executable"
desktop=$prefix/share/applications/$id.desktop
[[ -f $desktop ]] || fail "the desktop file is missing"
desktop-file-validate "$desktop" || fail "the desktop file does not validate"
grep -qx 'Exec=tirlo' "$desktop" || fail "the desktop file does not start tirlo"
grep -qx "Icon=$id" "$desktop" || fail "the desktop file does not name the icon $id"

for file in metainfo/$id.metainfo.xml man/man6/tirlo.6.gz man/fr/man6/tirlo.6.gz; do
    [[ -s $prefix/share/$file ]] || fail "share/$file is missing"
done
[[ ! -e $prefix/share/doc/tirlo ]] || fail "share/doc/tirlo is installed: it is the Debian package's"

icons=$prefix/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
    icon=$icons/${size}x$size/apps/$id.png
    [[ $(identify -format '%m %wx%h' "$icon" 2>/dev/null) == "PNG ${size}x$size" ]] ||
        fail "$icon is not a ${size}x$size PNG"
done
[[ $(rsvg-convert --width 64 "$icons/scalable/apps/$id.svg" | identify -format '%wx%h' -) == 64x64 ]] ||
    fail "the scalable icon does not render"
echo "PASS: games/tirlo, $id.desktop, the hicolor icons (16 to 256 px and scalable), metainfo, man pages, nothing of debian/"
