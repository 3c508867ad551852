#!/usr/bin/env bash
# The cache of the clean root's base, against a stand-in mmdebstrap that writes
# a small tarball and counts its calls: a good cache is used as it is, and a
# missing, truncated or altered one is built again rather than trusted.
# Usage: clean_root_cache.sh SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
export XDG_CACHE_HOME=$work/cache
source "$1/tests/fresh/clean_root.sh"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/bin"
cat >"$work/bin/mmdebstrap" <<'STUB'
#!/usr/bin/env bash
echo built >>"$STUB_CALLS"
for target; do [[ $target == *.part ]] && break; done
mkdir -p "$STUB_TREE/etc" && echo root >"$STUB_TREE/etc/hostname"
tar -C "$STUB_TREE" -cf "$target" .
STUB
chmod +x "$work/bin/mmdebstrap"
export PATH=$work/bin:$PATH STUB_CALLS=$work/calls STUB_TREE=$work/tree
: >"$STUB_CALLS"
base=$clean_root_cache/bookworm-minbase.tar

# What happens to the cache before clean_root_base, and whether it must build.
while read -r damage builds; do
    case $damage in
    none) ;;
    missing) rm -f "$base" ;;
    truncated) truncate -s 1000 "$base" ;;
    altered) printf x | dd of="$base" bs=1 seek=600 conv=notrunc status=none ;;
    no-checksum) rm -f "$base.sha256" ;;
    esac
    before=$(wc -l <"$STUB_CALLS")
    got=$(clean_root_base 2>/dev/null) || fail "clean_root_base failed with the cache $damage"
    [[ $got == "$base" ]] || fail "clean_root_base gave '$got'"
    built=no
    [[ $(wc -l <"$STUB_CALLS") -gt $before ]] && built=yes
    [[ $built == "$builds" ]] || fail "with the cache $damage, built: $built"
    tar -tf "$base" >/dev/null || fail "the base is not a tarball after the cache was $damage"
done <<'CASES'
missing yes
none no
truncated yes
none no
altered yes
no-checksum yes
none no
CASES
echo "PASS: the clean root's cached base is reused when sound and built again when missing, truncated or altered"
