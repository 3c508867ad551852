# Sourced by the tests that need a Debian 12 machine on which nothing was ever
# installed by hand: a minimal root (minbase, git, make and ca-certificates)
# made once by mmdebstrap from this machine's own Debian mirror, and unpacked
# afresh for each use.
#
#   clean_root_base            path of the base tarball, built when missing or damaged
#   clean_root_new DIR...      a fresh root in each DIR, with /proc, /sys, /dev,
#                              /dev/shm and a private /tmp mounted, and the cached .debs
#   clean_root_remove DIR      ends what still runs in DIR, unmounts it, keeps the .debs
#                              its apt downloaded, and deletes it
#   clean_root_run DIR CMD...  CMD as root inside DIR, in a clean environment
#   clean_root_job SOURCE NAME as root: $source, the checkout under test; $logs, its
#                              build-fresh/; $work, a folder for this job's roots;
#                              and the clock started in $started
#   step NAME COMMAND...       COMMAND timed, its output in $logs/NAME.log; a failure
#                              is named, with the end of that log, and ends the script
#   step_alongside NAME CMD... the same in the background, reported by step_joined NAME
#
# Every root made here is removed by an EXIT trap, also after an error or an
# interrupt, so that no mount is left behind. Only the roots and the cache in
# ~/.cache/tirlo are written.

clean_root_cache=${XDG_CACHE_HOME:-$HOME/.cache}/tirlo
clean_root_archives=$clean_root_cache/archives # the .debs that apt downloads in any root
clean_root_dirs=()

# The machine's apt sources for Debian itself, not third-party ones: deb822
# files, or else the one-line sources.list.
clean_root_sources() {
    local file found=
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] && grep -qE '^Suites:.*\bbookworm\b' "$file" &&
            grep -qE '^URIs:.*/debian' "$file" && echo "$file" && found=yes
    done
    [[ -n $found ]] || ! grep -qE '^deb .*/debian.* bookworm' /etc/apt/sources.list 2>/dev/null ||
        echo /etc/apt/sources.list
}

clean_root_base() {
    local base=$clean_root_cache/bookworm-minbase.tar
    if [[ -s $base && -s $base.sha256 ]] && (cd "$clean_root_cache" && sha256sum --status -c "$base.sha256"); then
        echo "$base"
        return
    fi
    local sources
    sources=$(clean_root_sources)
    [[ -n $sources ]] || { echo "clean root: no Debian 12 apt sources in /etc/apt/sources.list.d" >&2; return 1; }
    echo "clean root: building the base root with mmdebstrap (the cached one is missing or damaged)" >&2
    rm -f "$base" "$base.sha256"
    mkdir -p "$clean_root_archives"
    # The downloaded .debs go in and out of the shared cache, so that a rebuild
    # downloads nothing that an earlier one did.
    # shellcheck disable=SC2086 # one argument per sources file
    mmdebstrap --quiet --format=tar --variant=minbase --include=git,make,ca-certificates \
        --skip=essential/unlink \
        --setup-hook='mkdir -p "$1"/var/cache/apt/archives' \
        --setup-hook="sync-in $clean_root_archives /var/cache/apt/archives" \
        --customize-hook="sync-out /var/cache/apt/archives $clean_root_archives" \
        bookworm "$base.part" $sources >&2 || return 1
    mv "$base.part" "$base" || return 1
    (cd "$clean_root_cache" && sha256sum "$(basename "$base")" >"$base.sha256") || return 1
    echo "$base"
}

clean_root_new() {
    local dir base
    base=$(clean_root_base) || return 1
    for dir; do
        mkdir -p "$dir"
        clean_root_dirs+=("$dir")
        tar -C "$dir" -xf "$base"
        cp /etc/resolv.conf "$dir/etc/resolv.conf"
        mount -t proc proc "$dir/proc"
        mount -t sysfs -o ro sysfs "$dir/sys"
        mount --bind /dev "$dir/dev"
        mount -t tmpfs -o mode=1777 shm "$dir/dev/shm"
        mount -t devpts -o newinstance,ptmxmode=0666 devpts "$dir/dev/pts"
        mount -t tmpfs -o mode=1777 tmp "$dir/tmp"
        # The cached .debs are linked in, not shared: roots that install side by
        # side, in this run or another, then never wait for one another's apt lock.
        clean_root_link_debs "$clean_root_archives" "$dir/var/cache/apt/archives"
        # dpkg need not flush each file to disk in a root that lives for minutes.
        echo force-unsafe-io >"$dir/etc/dpkg/dpkg.cfg.d/unsafe-io"
    done
}

clean_root_run() {
    local dir=$1
    shift
    chroot "$dir" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# clean_root_link_debs FROM TO: the .debs of FROM that TO lacks, hard-linked
# where both are on one file system, copied where not.
clean_root_link_debs() {
    find "$1" -maxdepth 1 -name '*.deb' -exec sh -c 'cp -n -l "$@" "$0" 2>/dev/null || cp -n "$@" "$0"' "$2" {} +
}

clean_root_remove() {
    local dir
    dir=$(realpath -m "$1")
    [[ -d $dir ]] || return 0
    # Whatever still runs in the root (a server a test left behind) holds its mounts.
    local proc pids=()
    for proc in /proc/[0-9]*; do
        [[ $(readlink "$proc/root" 2>/dev/null) == "$dir"* ]] && pids+=("${proc#/proc/}")
    done
    if [[ ${#pids[@]} -gt 0 ]]; then
        kill -KILL "${pids[@]}" 2>/dev/null || true
        sleep 0.5
    fi
    local target
    findmnt -rno TARGET | grep -F "$dir/" | sort -r | while read -r target; do
        umount "$target" 2>/dev/null || umount -l "$target"
    done
    # What apt downloaded in the root, or in the roots of a job's folder.
    local archives
    for archives in "$dir"/var/cache/apt/archives "$dir"/*/var/cache/apt/archives; do
        [[ ! -d $archives ]] || clean_root_link_debs "$archives" "$clean_root_archives"
    done
    rm -rf --one-file-system "$dir"
}

clean_root_job() {
    [[ $(id -u) -eq 0 ]] || { echo "make test-fresh runs as root: it mounts and chroots" >&2; exit 1; }
    source=$(realpath "$1")
    logs=$source/build-fresh
    mkdir -p "$logs"
    work=$(mktemp -d "/var/tmp/tirlo-$2.XXXXXX")
    clean_root_dirs+=("$work") # removed with the roots in it, whatever happens
    started=$SECONDS
}

# step NAME COMMAND...: runs COMMAND with its output in $logs/NAME.log.
step() {
    local name=$1 began=$SECONDS status=0
    shift
    printf '%-46s' "$name"
    # In the background, so that an interrupt is handled at once, not when the step ends.
    "$@" >"$(step_log "$name")" 2>&1 &
    wait $! || status=$?
    step_end "$name" $status $((SECONDS - began))
}

# step_alongside NAME COMMAND...: the same, while the next steps run; step_joined
# NAME waits for it and reports it. For steps that mostly wait on the disk or
# the network beside steps that mostly compute.
declare -A step_pids=()
step_alongside() {
    local name=$1
    shift
    (
        began=$SECONDS status=0
        "$@" >"$(step_log "$name")" 2>&1 || status=$?
        echo "$status $((SECONDS - began))" >"$(step_log "$name").end"
    ) &
    step_pids[$name]=$!
}

step_joined() {
    local name=$1 status took
    wait "${step_pids[$name]}" || true
    read -r status took <"$(step_log "$name").end"
    printf '%-46s' "$name"
    step_end "$name" "$status" "$took" ", alongside"
}

step_log() { echo "$logs/${1// /-}.log"; }

# step_end NAME STATUS SECONDS [NOTE]: the step's time; the end of its log if it failed.
step_end() {
    printf '%5d s%s\n' "$3" "${4:-}"
    if [[ $2 -ne 0 ]]; then
        echo "FAIL: step '$1' ended with status $2; the end of $(step_log "$1"):" >&2
        tail -n 40 "$(step_log "$1")" >&2
        exit 1
    fi
}

clean_root_remove_all() {
    local dir
    for dir in "${clean_root_dirs[@]}"; do
        clean_root_remove "$dir"
    done
}
trap clean_root_remove_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
