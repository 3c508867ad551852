#!/usr/bin/env bash
# make test-fresh: the README's two commands on a Debian 12 machine on which
# nothing was installed by hand. In a fresh minimal root holding only git and
# make, it clones the commit under test and runs `make test`, then `make run`
# under xvfb-run, which must open the window and keep it open. Then it makes
# the Debian package there and installs it into two more fresh roots, with and
# without recommends, starts it and purges it. Each step is timed; a failed one
# is named, with the end of its log.
# Usage: two_commands.sh SOURCE_DIR   (as root: it mounts and chroots)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/fresh/clean_root.sh
source "$here/clean_root.sh"
clean_root_job "$1" fresh

in_root() { clean_root_run "$root" bash -c "cd /root/tirlo && $1"; }

clone() {
    git -C "$source" bundle create "$root/root/tirlo.bundle" HEAD
    clean_root_run "$root" git clone -q /root/tirlo.bundle /root/tirlo
    [[ $(clean_root_run "$root" git -C /root/tirlo rev-parse HEAD) == "$(git -C "$source" rev-parse HEAD)" ]]
}

# `make run` under xvfb-run, watched from inside the same X server: its window
# must be mapped, and the program still running some seconds later.
run_in_virtual_screen() {
    in_root 'xvfb-run -a -s "-screen 0 640x480x24" bash -c "
        make run >/tmp/make-run.log 2>&1 &
        timeout 120 xdotool search --sync --onlyvisible --name \"^Tirlo\$\" >/dev/null ||
            { echo no window; cat /tmp/make-run.log; exit 1; }
        sleep 5
        pgrep -x tirlo >/dev/null || { echo the program ended; cat /tmp/make-run.log; exit 1; }
        echo window mapped and still open after 5 s
        pkill -x tirlo"'
}

# install_package WITH|WITHOUT: the package into a fresh root, with or without
# its recommends, started under Xvfb, then purged. Nothing of it may remain but
# what was there before or another package has since installed too (the icon
# theme's folders).
install_package() {
    local with=$1 dir=$work/package-$1
    clean_root_new "$dir"
    cp "$deb" "$dir/root/"
    local recommends=--install-recommends
    [[ $with == with ]] || recommends=--no-install-recommends
    clean_root_run "$dir" bash -euo pipefail -c "
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        find / -xdev -path /proc -prune -o -print | sort >/tmp/before
        apt-get install -y -qq $recommends /root/$(basename "$deb") >/dev/null
        for extra in qt6-wayland qt6-translations-l10n; do
            if dpkg-query -W -f='\${Status}' \$extra 2>/dev/null | grep -q 'ok installed'; then
                [[ $with == with ]] || { echo \"\$extra installed without recommends\"; exit 1; }
            else
                [[ $with == without ]] || { echo \"\$extra not installed with recommends\"; exit 1; }
            fi
        done
        dpkg -L tirlo | grep -vx /. | sort >/tmp/files
        apt-get install -y -qq --no-install-recommends xvfb xauth xdotool >/dev/null
        xvfb-run -a -s '-screen 0 640x480x24' bash -c '
            /usr/games/tirlo 2>/tmp/tirlo.log &
            timeout 30 xdotool search --sync --onlyvisible --name \"^Tirlo\$\" >/dev/null ||
                { echo no window; cat /tmp/tirlo.log; exit 1; }
            sleep 2
            kill -0 \$! || { echo the program ended; cat /tmp/tirlo.log; exit 1; }
            kill \$!'
        apt-get purge -y -qq tirlo >/dev/null
        left=\$(while read -r path; do
            [[ -e \$path ]] && ! grep -qxF \"\$path\" /tmp/before &&
                ! dpkg-query -S \"\$path\" >/dev/null 2>&1 && echo \"\$path\"
        done </tmp/files || true)
        [[ -z \$left ]] || { echo \"left behind after purge: \$left\"; exit 1; }
        echo installed $with recommends, started, purged, nothing left"
}

echo "make test-fresh: the two commands in a clean Debian 12 root (logs in $logs)"
root=$work/two-commands
step "base root (cached, or built)" clean_root_base
step "fresh root" clean_root_new "$root"
step "git clone of $(git -C "$source" rev-parse --short HEAD)" clone
step "make test" in_root 'make test'
step "xvfb-run make run" run_in_virtual_screen
step "make package" in_root 'make package'
debs=("$root"/root/tirlo/build/package/tirlo_*_amd64.deb)
deb=$(mktemp -p "$work" -d)/$(basename "${debs[0]}")
cp "${debs[0]}" "$deb"
clean_root_remove "$root"
step "package installed with recommends" install_package with
step "package installed without recommends" install_package without
echo "PASS: make test and make run on a clean Debian 12, and its package installed, started and purged, in $((SECONDS - started)) s"
