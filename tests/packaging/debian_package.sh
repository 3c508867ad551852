#!/usr/bin/env bash
# Builds the source and binary packages twice with make package, in two folders,
# and checks them as Debian's tools do: the two builds are byte for byte the
# same, lintian (pedantic) finds no error or warning, the build log shows every
# hardening flag on every compile and link. Then installs the package as a user
# would, checks the installed program's protections, starts it from its menu
# entry on X11 and natively on Wayland, runs its autopkgtest, and purges it,
# whatever happened: nothing of it may be left.
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
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
if installed tirlo; then
    echo "SKIP: tirlo is already installed here, and this test would remove it"
    exit 77
fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=120)

work=$(mktemp -d)
chmod 755 "$work" # apt reads the .deb as its own unprivileged user
cleanup() {
    local package
    for package in tirlo-dbgsym tirlo; do
        if installed $package; then "${apt[@]}" purge $package >/dev/null 2>&1 || true; fi
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The second build in a deeper folder of another name: the build path must not leak in.
one=$work/one
two=$work/elsewhere/two
for out in "$one" "$two"; do
    make -C "$source" --no-print-directory package PACKAGE_DIR="$out" >"$work/make.log" 2>&1 ||
        fail "make package: $(tail -n 30 "$work/make.log")"
done
deb=$(echo "$one"/tirlo_*_amd64.deb)
[[ -f $deb && -f $(echo "$one"/tirlo-dbgsym_*.deb) && -f $(echo "$one"/tirlo_*.dsc) ]] ||
    fail "make package made $(ls "$one")"

different=()
for file in "$one"/*.deb "$one"/*.dsc "$one"/*.tar.*; do
    cmp -s "$file" "$two/${file##*/}" || different+=("${file##*/}")
done
if ((${#different[@]})); then
    for file in "${different[@]}"; do diffoscope --text - "$one/$file" "$two/$file" || true; done |
        head -n 60 >&2
    fail "two builds differ: ${different[*]}"
fi
echo "Reproducible, two builds alike:"
(cd "$one" && sha256sum ./*.deb ./*.dsc ./*.tar.*)

# Fields that dpkg-shlibdeps or a slip in debian/control could get wrong.
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

changes=$(echo "$one"/tirlo_*.changes)
lintian_out=$(lintian --pedantic --fail-on error,warning "$changes" 2>&1) || fail "lintian: $lintian_out"
echo "lintian --pedantic: ${lintian_out:-no tags}"
# --bindnow: bind-now is part of hardening=+all. PIE is checked as blhc finds it
# needed: Debian's compiler makes PIE by default, without a flag in the log.
blhc_out=$(blhc --bindnow "$one/build.log" 2>&1) || fail "blhc: $blhc_out"
echo "blhc: ${blhc_out:-no missing flag}"

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

"${apt[@]}" install "$deb" >"$work/apt.log" 2>&1 || fail "apt-get install: $(cat "$work/apt.log")"
# Fortify: the only libc call it could guard is a memset the compiler makes of a
# loop, which no header can wrap; blhc has checked -D_FORTIFY_SOURCE=2 on every
# compile. Control-flow notes: bookworm's C start files carry none, so no
# program linked with them can.
hardening-check --nofortify --nocfprotection /usr/games/tirlo || fail "hardening-check"

# A desktop starts the menu entry's command through a user's PATH, games included.
exec=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop")
program=$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v "$exec") ||
    fail "the menu entry's command '$exec' is not on a user's PATH"
[[ $program == /usr/games/tirlo ]] || fail "the menu entry starts $program, not /usr/games/tirlo"
xvfb-run -a -s "-screen 0 640x480x24" "$source/tests/ui/real_window.sh" "$program" \
    "$build/screenshots/installed" || fail "the installed program did not run as it should"
"$source/tests/packaging/wayland_window.sh" "$program" "$id"

"${sudo[@]}" autopkgtest --output-dir="$work/autopkgtest" "$changes" -- null >"$work/autopkgtest.log" 2>&1 ||
    fail "autopkgtest: $(tail -n 30 "$work/autopkgtest.log")"
echo "autopkgtest: $(cat "$work/autopkgtest/summary")"

"${apt[@]}" purge tirlo >"$work/apt.log" 2>&1 || fail "apt-get purge: $(cat "$work/apt.log")"
! installed tirlo || fail "tirlo is still installed after apt-get purge"
left=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|; /[^/]$/p' |
    while read -r file; do [[ ! -e $file ]] || echo "$file"; done)
[[ -z $left ]] || fail "apt-get purge left $left"
echo "PASS: $(basename "$deb") and its dbgsym, reproducible, lintian and blhc clean, hardened," \
    "installed, started on X11 and Wayland, autopkgtest passed, purged"
