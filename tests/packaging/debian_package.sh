#!/usr/bin/env bash
# Builds the Debian package from the build and checks it as Debian's tools do,
# then installs it as a user would, starts the installed program from its menu
# entry under Xvfb and closes it, starts it again natively on Wayland, and
# removes the package, whatever happened.
# Usage: debian_package.sh BUILD_DIR SOURCE_DIR APP_ID   (as root, or with sudo)
set -euo pipefail
build=$1
source=$2
id=$3

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo -n true 2>/dev/null || { echo "SKIP: installing the package needs root or sudo"; exit 77; }
    sudo=(sudo -n)
fi
installed() { dpkg-query -W -f='${Status}' tirlo 2>/dev/null | grep -q 'ok installed'; }
if installed; then
    echo "SKIP: tirlo is already installed here, and this test would remove it"
    exit 77
fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120)

work=$(mktemp -d)
chmod 755 "$work" # apt reads the .deb as its own unprivileged user
cleanup() {
    if installed; then "${apt[@]}" purge tirlo >/dev/null 2>&1 || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/tirlo_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "cpack made no tirlo_*.deb"

# Fields that dpkg-shlibdeps, CPack's defaults or a slip could get wrong.
field() { dpkg-deb -f "$deb" "$1"; }
while read -r name pattern; do
    [[ $(field "$name") =~ $pattern ]] || fail "$name is '$(field "$name")', expected /$pattern/"
done <<'FIELDS'
Package ^tirlo$
Section ^games$
Priority ^optional$
Depends (^|,\ )qt6-qpa-plugins(,|$)
Depends (^|,\ )libqt6widgets6\ \(>=
Recommends ^qt6-translations-l10n,\ qt6-wayland$
FIELDS

lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lintian_out"

root=$work/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml")"
appstreamcli compose --no-net --prefix=/usr --origin=tirlo --result-root="$work/catalog" \
    --hints-dir="$work/hints" "$root" >"$work/compose.log" 2>&1 ||
    fail "appstreamcli compose: $(cat "$work/compose.log")"
grep -q '^  Hints: \[\]$' "$work/hints/tirlo.hints.yaml" ||
    fail "appstreamcli compose has hints: $(sed -n '/^- Unit:/,$p' "$work/hints/tirlo.hints.yaml")"
catalog=$(zcat "$work/catalog/usr/share/swcatalog/xml/tirlo.xml.gz")
[[ $catalog == *"<id>$id</id>"* ]] || fail "the catalog does not list $id"
[[ $catalog == *'<icon type="cached" width="64" height="64">'* ]] || fail "the catalog has no 64 px icon"

# One version everywhere a user or a software centre reads it.
version=$(field Version)
zcat "$root/usr/share/doc/tirlo/changelog.gz" >"$work/changelog"
changelog=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
release=$(grep -m1 -o '<release version="[^"]*"' "$root/usr/share/metainfo/$id.metainfo.xml" | cut -d'"' -f2)
[[ $changelog == "$version" && $release == "$version" ]] ||
    fail "package $version, changelog $changelog, metainfo release $release"

"${apt[@]}" install "$deb" >"$work/apt.log" 2>&1 || fail "apt-get install: $(cat "$work/apt.log")"
# A desktop starts the menu entry's command through a user's PATH, games included.
exec=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop")
program=$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v "$exec") ||
    fail "the menu entry's command '$exec' is not on a user's PATH"
[[ $program == /usr/games/tirlo ]] || fail "the menu entry starts $program, not /usr/games/tirlo"
xvfb-run -a -s "-screen 0 640x480x24" "$source/tests/ui/real_window.sh" "$program" \
    "$build/screenshots/installed" || fail "the installed program did not run as it should"
"$source/tests/packaging/wayland_window.sh" "$program" "$id"

"${apt[@]}" purge tirlo >"$work/apt.log" 2>&1 || fail "apt-get purge: $(cat "$work/apt.log")"
! installed && [[ ! -e /usr/games/tirlo ]] || fail "tirlo is still there after apt-get purge"
echo "PASS: $(basename "$deb"): lintian and AppStream clean, installed, started on X11 and Wayland, removed"
