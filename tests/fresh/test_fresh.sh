#!/usr/bin/env bash
# make test-fresh: Tirlo on Debian 12 machines on which nothing was installed by
# hand, in clean roots (clean_root.sh), run after make test here on the same commit.
#  - The README's two commands: in a root holding only git and make, a clone of
#    HEAD runs `make test` without its sanitizer and fuzz stages, which make test
#    has just run here, then `make run` under xvfb-run, whose window must map and
#    stay open. What that build installs must be byte for byte what the build
#    here installs: the build depends neither on its path nor on the machine.
#  - The Debian package: its source package is made here (no compile) and built
#    by dpkg-buildpackage in a root holding only its Build-Depends; here, lintian,
#    blhc, its fields and AppStream check it. It is installed into a root holding
#    nothing else, without its recommends and then with them, and started; then
#    into the first root, where hardening-check, X11, Wayland and its autopkgtest
#    check it. Each time it is purged, and nothing of it may be left.
# Each step is timed; a failed one is named, with the end of its log.
# Usage: test_fresh.sh SOURCE_DIR BUILD_DIR   (as root: it mounts and chroots;
#        BUILD_DIR, relative to SOURCE_DIR, holds the build of make test)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/fresh/clean_root.sh
source "$here/clean_root.sh"
# shellcheck source=tests/fresh/package_checks.sh
source "$here/package_checks.sh"
clean_root_job "$1" fresh
host_build=$(cd "$source" && realpath "$2")
id=org.example.tirlo

if [[ -n $(git -C "$source" status --porcelain --untracked-files=no) ]]; then
    echo "make test-fresh tests HEAD, against the build here: commit or stash the edits first" >&2
    exit 1
fi
[[ -x $host_build/app/tirlo ]] || { echo "no build in $host_build: run make test first" >&2; exit 1; }

two=$work/two-commands # the README's two commands, then the package installed with its tools
builder=$work/package-build # the package's Build-Depends only
bare=$work/package-install # the package alone
built=$builder/root/build # where dpkg-buildpackage leaves the files it makes
in_two() { clean_root_run "$two" bash -euo pipefail -c "cd /root/tirlo && export DEBIAN_FRONTEND=noninteractive && $1"; }
in_builder() { clean_root_run "$builder" bash -euo pipefail -c "cd /root/build && export DEBIAN_FRONTEND=noninteractive && $1"; }

clone() {
    git -C "$source" bundle create "$two/root/tirlo.bundle" HEAD
    clean_root_run "$two" git clone -q /root/tirlo.bundle /root/tirlo
    [[ $(clean_root_run "$two" git -C /root/tirlo rev-parse HEAD) == "$(git -C "$source" rev-parse HEAD)" ]]
}

# `make run` under xvfb-run, watched from inside the same X server: its window
# must be mapped, and the program still running some seconds later.
run_in_virtual_screen() {
    in_two 'xvfb-run -a -s "-screen 0 640x480x24" bash -c "
        make run >/tmp/make-run.log 2>&1 &
        timeout 120 xdotool search --sync --onlyvisible --name \"^Tirlo\$\" >/dev/null ||
            { echo no window; cat /tmp/make-run.log; exit 1; }
        sleep 5
        pgrep -x tirlo >/dev/null || { echo the program ended; cat /tmp/make-run.log; exit 1; }
        grep -q \"Building\" /tmp/make-run.log && { echo make run built again; cat /tmp/make-run.log; exit 1; }
        echo window mapped and still open after 5 s, nothing built again
        pkill -x tirlo"'
}

# What the build of the root installs against what the build here installs.
same_build() {
    mkdir -p "$work/installed-here" "$work/installed-root"
    cmake --install "$host_build" --prefix "$work/installed-here" >/dev/null
    in_two 'cmake --install build --prefix /tmp/installed >/dev/null'
    cp -a "$two/tmp/installed/." "$work/installed-root/"
    if ! diff -r "$work/installed-here" "$work/installed-root"; then
        timeout 600 diffoscope --exclude-directory-metadata=yes --text - "$work/installed-here" \
            "$work/installed-root" | head -n 80 || true
        return 1
    fi
    echo "the same bytes, the program and every file installed beside it:"
    (cd "$work/installed-here" && find . -type f -exec sha256sum {} + | sort -k 2)
}

echo "make test-fresh: HEAD in clean Debian 12 roots (logs in $logs)"
step "source package here" "$source/scripts/source-package" "$work/source"
step "base root (cached, or built)" clean_root_base
step "three fresh roots" clean_root_new "$two" "$builder" "$bare"
# The package compiles while the tests of make test mostly wait on windows.
step_alongside "Build-Depends, dpkg-buildpackage" eval 'build_depends && build_package'
step "git clone of $(git -C "$source" rev-parse --short HEAD)" clone
step "make test SANITIZERS=no" in_two 'make test SANITIZERS=no'
step "xvfb-run make run" run_in_virtual_screen
step "the same build as here" same_build
step_joined "Build-Depends, dpkg-buildpackage"
step_alongside "alone, without and with recommends" install_alone
step "the same source package as here" same_source_package
step "package fields" package_fields
step "lintian --pedantic" lintian_clean
step "blhc" blhc_clean
step "AppStream" appstream_listing
step "installed beside the tools" install_beside_tools
step "hardening-check" hardening-check --nofortify --nocfprotection "$two/usr/games/tirlo"
step "menu entry, X11, Wayland" start_installed
step "autopkgtest" in_two 'autopkgtest /root/package/tirlo_*.changes -- null'
step "purged, nothing left" purge_installed
step_joined "alone, without and with recommends"
echo "PASS: make test and make run on a clean Debian 12, the same build as here; the package built" \
    "there from its source package, lintian, blhc and hardening-check clean, installed alone and" \
    "beside its tools, started on X11 and Wayland, autopkgtest passed, purged; in $((SECONDS - started)) s"
