#!/usr/bin/env bash
# debian/changelog gives the package its version: the program, its software-centre
# listing and its man pages must say the same, and the listing's last release must
# carry the changelog entry's date.
# Usage: versions.sh SOURCE_DIR BUILD_DIR PROJECT_VERSION
set -euo pipefail
source=$1
build=$2
changelog=$source/debian/changelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
date=$(date -u -d "@$(dpkg-parsechangelog -l "$changelog" -S Timestamp)" +%F)
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
CMake's project version|$3|$version
the metainfo's last release|$(attribute version)|$version
the date of that release|$(attribute date)|$date
the English man page|$(man_version man6)|Tirlo $version
the French man page|$(man_version fr/man6)|Tirlo $version
ROWS
((failed == 0)) || exit 1
echo "PASS: version $version of $date in CMake, the metainfo and both man pages"
