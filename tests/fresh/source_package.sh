#!/usr/bin/env bash
# The source package alone, built in a clean Debian 12 root in which only its
# Build-Depends (and build-essential) were installed, then checked as the package
# test checks a build made here: lintian (pedantic) on its .changes, blhc on its
# build log, hardening-check on the program installed in the root, the same bytes
# as make package gives here, and its autopkgtest, run in the root with the null
# runner. Each step is timed; a failed one is named, with the end of its log.
# Usage: source_package.sh SOURCE_DIR   (as root: it mounts and chroots)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/fresh/clean_root.sh
source "$here/clean_root.sh"
clean_root_job "$1" source

root=$work/root
built=$root/root/build # where the root's dpkg-buildpackage leaves its files
in_root() { clean_root_run "$root" bash -euo pipefail -c "cd /root/build && export DEBIAN_FRONTEND=noninteractive && $1"; }

# The source package goes in by itself; the build makes it again beside the binaries,
# from the folder dpkg-source names (a native tarball takes its folder's name).
build_in_root() {
    mkdir -p "$root/root/in" "$built"
    cp "$work"/here/tirlo_*.dsc "$work"/here/tirlo_*.tar.* "$root/root/in/"
    in_root 'apt-get update -qq
        apt-get build-dep -y -qq --no-install-recommends /root/in/tirlo_*.dsc
        dpkg-source -x /root/in/tirlo_*.dsc
        cd tirlo-*/ && dpkg-buildpackage -us -uc >../build.log 2>&1 || { tail -n 40 ../build.log; exit 1; }'
}

same_bytes() {
    local file status=0
    for file in "$work"/here/*.deb "$work"/here/*.dsc "$work"/here/*.tar.*; do
        if ! cmp -s "$file" "$built/${file##*/}"; then
            diffoscope --text - "$file" "$built/${file##*/}" | head -n 60 || true
            status=1
        fi
    done
    ((status == 0)) || { diff "$work"/here/*.buildinfo "$built"/*.buildinfo || true; return 1; }
    (cd "$built" && sha256sum ./*.deb ./*.dsc ./*.tar.*)
}

echo "make test-fresh: the source package built in a clean Debian 12 root (logs in $logs)"
step "make package here" make -C "$source" --no-print-directory package PACKAGE_DIR="$work/here"
step "fresh root for the source package" clean_root_new "$root"
step "Build-Depends, dpkg-buildpackage" build_in_root
step "lintian --pedantic" lintian --pedantic --fail-on error,warning "$built"/tirlo_*.changes
step "blhc" blhc --bindnow "$built/build.log"
step "the same bytes as here" same_bytes
step "installed in the root" in_root 'apt-get install -y -qq ./tirlo_*_amd64.deb'
step "hardening-check" hardening-check --nofortify --nocfprotection "$root/usr/games/tirlo"
step "autopkgtest in the root" in_root 'apt-get install -y -qq --no-install-recommends autopkgtest
    autopkgtest ./tirlo_*.changes -- null'
echo "PASS: the source package built in a clean Debian 12 root with only its Build-Depends," \
    "lintian, blhc and hardening-check clean, alike to the build here, autopkgtest passed, in $((SECONDS - started)) s"
