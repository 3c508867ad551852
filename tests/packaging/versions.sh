#!/usr/bin/env bash
# The upstream version in debian/changelog (its version less the Debian
# revision) must be the one the program, its software-centre listing and its
# man pages say; the listing's release of it cannot be dated after the first
# changelog entry that packaged it.
# Usage: versions.sh SOURCE_DIR BUILD_DIR PROJECT_VERSION
set -euo pipefail
source=$1
build=$2
changelog=$source/debian/changelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
upstream=${version%-*}
release=$(grep -m1 -o '<release [^>]*>' "$source/packaging/tirlo.metainfo.xml")
attribute() { sed -n "s/.* $1=\"\([^\"]*\)\".*/\1/p" <<<"$release"; }
# The fourth field of .TH, in the pages as the build installs them.
man_version() { awk -F'"' '/^\.TH/ {print $4}' "$build/packaging/share/man/$1/tirlo.6"; }

failed=0
while IFS='|' read -r what found expected; do
    if [[ $found != "$expected" ]]; then
        echo "FAIL: $what says '$found', debian/changelog '$expected'" >&2
        failed=1
    fi
done <<ROWS
CMake's project version|$3|$upstream
the metainfo's last release|$(attribute version)|$upstream
the English man page|$(man_version man6)|Tirlo $upstream
the French man page|$(man_version fr/man6)|Tirlo $upstream
ROWS
# The oldest changelog entry of this upstream version.
packaged=$(dpkg-parsechangelog -l "$changelog" --all --format rfc822 |
    awk -v v="$upstream" '/^Version: / {ours = index($2, v "-") == 1} ours && /^Timestamp: / {t = $2} END {print t}')
if [[ $(date -u -d "$(attribute date)" +%s) -gt $packaged ]]; then
    echo "FAIL: the metainfo dates $upstream $(attribute date), after the changelog packaged it" >&2
    failed=1
fi
((failed == 0)) || exit 1
echo "PASS: version $upstream of $(attribute date) in debian/changelog, CMake, the metainfo and both man pages"
