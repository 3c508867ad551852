# Sourced by test_fresh.sh: the steps that build the Debian package from the
# source package made here and check it, each a function that test_fresh.sh
# times. They use its roots ($two, $builder, $bare), $built, $work and $id.
#
#   build_depends, build_package   the build, in $builder, into $built
#   same_source_package            dpkg-buildpackage made the source package again, alike
#   package_fields                 fields that dpkg-shlibdeps or debian/control could get wrong
#   lintian_clean, blhc_clean      no tag from lintian --pedantic, no flag missing for blhc
#   appstream_listing              the metainfo validates and composes into a catalog with icon
#   install_alone                  in $bare, without recommends, then with; started, purged
#   install_beside_tools           in $two, with weston and autopkgtest beside it
#   start_installed                from its menu entry's command, on X11 and on Wayland
#   purge_installed                purged from $two, nothing left

deb_of() { echo "$built"/tirlo_*_amd64.deb; }

# The source package goes in by itself; dpkg-buildpackage then makes it again
# beside the binaries, from the tree that dpkg-source unpacks.
build_depends() {
    mkdir -p "$builder/root/source" "$built"
    cp "$work"/source/tirlo_* "$builder/root/source/"
    in_builder 'apt-get update -qq
        apt-get build-dep -y -qq --no-install-recommends /root/source/tirlo_*.dsc'
}

build_package() {
    in_builder 'dpkg-source -q -x /root/source/tirlo_*.dsc tirlo
        cd tirlo && dpkg-buildpackage -us -uc >../build.log 2>&1 || { tail -n 40 ../build.log; exit 1; }
        ! grep -q test_main_window ../build.log || { echo the build compiled the window tests; exit 1; }
        grep -E "Test +#|tests passed" ../build.log'
}

same_source_package() {
    local file status=0
    for file in "$work"/source/tirlo_*; do
        cmp "$file" "$built/${file##*/}" || status=1
    done
    ((status == 0)) && (cd "$built" && sha256sum tirlo_*.dsc tirlo_*.tar.*)
}

package_fields() {
    local deb name pattern
    deb=$(deb_of)
    [[ -f $deb && -f $(echo "$built"/tirlo-dbgsym_*.deb) ]] || { echo "made: $(ls "$built")"; return 1; }
    while read -r name pattern; do
        [[ $(dpkg-deb -f "$deb" "$name") =~ $pattern ]] ||
            { echo "$name is '$(dpkg-deb -f "$deb" "$name")', expected /$pattern/"; return 1; }
    done <<'FIELDS'
Package ^tirlo$
Section ^games$
Priority ^optional$
Depends (^|,\ )qt6-qpa-plugins(,|$)
Depends (^|,\ )libqt6widgets6\ \(>=
Recommends ^qt6-translations-l10n,\ qt6-wayland$
FIELDS
    dpkg-deb -I "$deb"
}

lintian_clean() {
    local tags
    tags=$(lintian --pedantic --fail-on error,warning "$built"/tirlo_*.changes) || { echo "$tags"; return 1; }
    echo "lintian --pedantic: ${tags:-no tags}"
}

# --bindnow: bind-now is part of hardening=+all. PIE is checked as blhc finds it
# needed: Debian's compiler makes PIE by default, without a flag in the log.
blhc_clean() {
    local missing
    missing=$(blhc --bindnow "$built/build.log") || { echo "$missing"; return 1; }
    echo "blhc: ${missing:-no flag missing}"
}

appstream_listing() {
    local tree=$work/unpacked
    dpkg-deb -x "$(deb_of)" "$tree"
    appstreamcli validate --no-net "$tree/usr/share/metainfo/$id.metainfo.xml"
    appstreamcli compose --no-net --prefix=/usr --origin=tirlo --result-root="$work/catalog" \
        --hints-dir="$work/hints" "$tree"
    grep -q '^  Hints: \[\]$' "$work/hints/tirlo.hints.yaml" ||
        { echo "hints: $(sed -n '/^- Unit:/,$p' "$work/hints/tirlo.hints.yaml")"; return 1; }
    local catalog
    catalog=$(zcat "$work/catalog/usr/share/swcatalog/xml/tirlo.xml.gz")
    [[ $catalog == *"<id>$id</id>"* ]] || { echo "the catalog does not list $id"; return 1; }
    [[ $catalog == *'<icon type="cached" width="64" height="64">'* ]] || { echo "no 64 px icon"; return 1; }
}

# In a root that holds nothing else, the package is installed without its
# recommends and then with them, started under Xvfb each time, and purged.
# Nothing of it may remain but what was there before or another package has
# since installed too (the icon theme's folders).
install_alone() {
    cp "$(deb_of)" "$bare/root/"
    clean_root_run "$bare" bash -euo pipefail -c '
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        find / -xdev -path /proc -prune -o -print | sort >/tmp/before
        for with in without with; do
            apt-get install -y -qq --$([[ $with == with ]] || echo no-)install-recommends /root/tirlo_*.deb >/dev/null
            for extra in qt6-wayland qt6-translations-l10n; do
                if dpkg-query -W -f="\${Status}" $extra 2>/dev/null | grep -q "ok installed"; then
                    [[ $with == with ]] || { echo "$extra installed without recommends"; exit 1; }
                else
                    [[ $with == without ]] || { echo "$extra not installed with recommends"; exit 1; }
                fi
            done
            dpkg -L tirlo | grep -vx /. | sort >/tmp/files
            apt-get install -y -qq --no-install-recommends xvfb xauth xdotool >/dev/null
            xvfb-run -a -s "-screen 0 640x480x24" bash -c "
                /usr/games/tirlo 2>/tmp/tirlo.log &
                timeout 30 xdotool search --sync --onlyvisible --name \"^Tirlo\\\$\" >/dev/null ||
                    { echo no window; cat /tmp/tirlo.log; exit 1; }
                sleep 2
                kill -0 \$! || { echo the program ended; cat /tmp/tirlo.log; exit 1; }
                kill \$!"
            apt-get purge -y -qq tirlo >/dev/null
            left=$(while read -r path; do
                [[ -e $path ]] && ! grep -qxF "$path" /tmp/before &&
                    ! dpkg-query -S "$path" >/dev/null 2>&1 && echo "$path"
            done </tmp/files || true)
            [[ -z $left ]] || { echo "left behind after purge: $left"; exit 1; }
            echo "installed $with recommends, started, purged, nothing left"
        done'
}

# Into the root of the two commands, which has every tool of make test, with
# those of Wayland and autopkgtest, and the package's recommends already.
install_beside_tools() {
    mkdir -p "$two/root/package"
    cp "$built"/tirlo[-_]* "$two/root/package/"
    in_two 'apt-get install -y -qq --no-install-recommends weston autopkgtest /root/package/tirlo_*_amd64.deb'
}

# A desktop starts the menu entry's command through a user's PATH, games included.
start_installed() {
    in_two "exec=\$(sed -n 's/^Exec=//p' /usr/share/applications/$id.desktop)
        program=\$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v \"\$exec\") ||
            { echo \"the menu entry's command \$exec is not on a user's PATH\"; exit 1; }
        [[ \$program == /usr/games/tirlo ]] || { echo \"the menu entry starts \$program\"; exit 1; }
        tests/ui/real_window.sh \$program /tmp/screenshots
        tests/packaging/wayland_window.sh \$program $id"
}

purge_installed() {
    in_two 'apt-get purge -y -qq tirlo >/dev/null
        ! dpkg-query -W -f="\${Status}" tirlo 2>/dev/null | grep -q "ok installed" || { echo still installed; exit 1; }'
    local left
    left=$(dpkg-deb --fsys-tarfile "$(deb_of)" | tar -t | sed -n 's|^\./|/|; /[^/]$/p' |
        while read -r file; do [[ ! -e $two$file ]] || echo "$file"; done)
    [[ -z $left ]] || { echo "apt-get purge left $left"; return 1; }
    echo "purged, nothing of $(dpkg-deb -c "$(deb_of)" | wc -l) entries left"
}
