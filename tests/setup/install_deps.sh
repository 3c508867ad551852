#!/usr/bin/env bash
# scripts/install-deps against stand-ins: a dpkg-query that reports a chosen set
# of packages installed, and an apt-get that records what it is asked for. For
# every group, what is asked for must be exactly the group's packages, and the
# run group's, less those already installed: no network, nothing installed.
# Usage: install_deps.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/install-deps
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The groups as the script declares them, read apart from the script's own reading.
eval "$(sed -n '/^declare -A group=(/,/^)/p' "$script")"
listed() { local name; for name in run "$@"; do printf '%s\n' ${group[$name]}; done | sort -u; }

mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
grep -qx "${!#}" "$STUB_INSTALLED" && printf 'install ok installed'
exit 0
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
[[ $1 == install ]] && printf '%s\n' "$@" | grep -v '^-' | tail -n +2 >>"$STUB_ASKED"
exit 0
STUB
chmod +x "$work/bin/"*
export STUB_INSTALLED=$work/installed STUB_ASKED=$work/asked

# Groups asked for, and which packages are already there: none, some, or all.
while read -r groups already; do
    read -ra names <<<"$groups"
    case $already in
    none) : >"$STUB_INSTALLED" ;;
    some) listed "${names[@]}" | awk 'NR % 2' >"$STUB_INSTALLED" ;;
    all) listed "${names[@]}" >"$STUB_INSTALLED" ;;
    esac
    : >"$STUB_ASKED"
    PATH=$work/bin:$PATH "$script" "${names[@]}" >"$work/out" 2>&1 || fail "install-deps $groups: $(cat "$work/out")"
    expected=$(listed "${names[@]}" | grep -vxFf "$STUB_INSTALLED" || true)
    asked=$(sort -u "$STUB_ASKED")
    [[ $asked == "$expected" ]] || fail "install-deps $groups with $already installed asked for:
$asked
instead of:
$expected"
    if [[ -n $expected ]]; then
        grep -qF "installing $(tr '\n' ' ' <<<"$expected" | sed 's/ $//')" "$work/out" ||
            fail "install-deps $groups does not say what it installs: $(cat "$work/out")"
    fi
done <<'CASES'
run none
test none
test some
test all
bench none
fuzz none
package none
fresh none
test bench fuzz package fresh none
CASES
echo "PASS: install-deps asks apt-get for every missing package of every group, and only for those"
