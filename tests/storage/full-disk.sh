#!/usr/bin/env bash
# Fills a small tmpfs and checks that a save onto it fails, says so and leaves every file as it
# was, and that an import onto it fails and leaves nothing behind. Both run on a device full to
# the last page and on one with a single page free, where the small account file still fits but
# no group file does. Runs in its own mount namespace, so the mount ends with the test; exits 77
# where no tmpfs can be mounted.
# usage: full-disk.sh SAVE_LOOP VEMO_CLI
set -euo pipefail

skip()
{
    echo "full-disk: SKIP: $*"
    exit 77
}

if [[ ${1:-} != --inside ]]; then
    if [[ $# -ne 2 ]]; then
        echo "usage: full-disk.sh SAVE_LOOP VEMO_CLI" >&2
        exit 2
    fi
    [[ $(id -u) -eq 0 ]] || skip "mounting a tmpfs needs root"
    unshare -m true 2>/dev/null || skip "no mount namespace (unshare -m)"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    status=0
    unshare -m bash "$0" --inside "$work" "$@" || status=$?
    exit "$status"
fi

work=$2
save_loop=$3
vemo_cli=$4
disk=$work/disk
account=$disk/Full
page=$(getconf PAGESIZE)
case_name=setup

# shellcheck source=tests/storage/account-json.sh
source "$(dirname "$0")/account-json.sh"

fail()
{
    echo "full-disk: FAIL ($case_name): $*" >&2
    exit 1
}

mkdir "$disk"
mount -t tmpfs -o size=1m tmpfs "$disk" 2>/dev/null || skip "tmpfs cannot be mounted here"
# Settings and the program folder stay off the small device and away from the user's files.
export VEMO_HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data

# 60 items make each group file two pages or more, before and after save_loop's change.
write_account_json 3 60 >"$work/account.json"
"$vemo_cli" import "$work/account.json" "$account" || fail "vemo-cli import failed"
cp -a "$account" "$work/before"

# Fills the device until it refuses, then frees the given number of pages.
fill_device()
{
    local free_pages=$1
    rm -f "$disk/filler" "$disk/spare"
    head -c "$((free_pages * page))" /dev/zero >"$disk/spare"
    head -c 2M /dev/zero >"$disk/filler" 2>/dev/null || true
    rm "$disk/spare"
    head -c "$((free_pages * page))" /dev/zero 2>/dev/null >"$disk/probe" ||
        fail "the device has fewer than $free_pages free pages"
    rm "$disk/probe"
    head -c "$((free_pages * page + 1))" /dev/zero 2>/dev/null >"$disk/probe" &&
        fail "the device has more than $free_pages free pages"
    rm "$disk/probe"
}

case_names=("device full" "one page free")
for free_pages in 0 1; do
    case_name=${case_names[free_pages]}
    fill_device "$free_pages"

    status=0
    "$save_loop" "$account" 1 >/dev/null 2>"$work/save.err" || status=$?
    [[ $status -eq 0 || $status -eq 3 ]] ||
        fail "save_loop ended with status $status: $(cat "$work/save.err")"
    diff -rq "$work/before" "$account" >&2 || fail "the failed save changed the account's files"
    [[ $status -eq 3 ]] || fail "SaveAccount returned true, though the save could not be written"

    find "$disk" | sort >"$work/files-before"
    status=0
    "$vemo_cli" import "$work/account.json" "$disk/New" 2>/dev/null || status=$?
    [[ $status -eq 1 ]] || fail "vemo-cli import onto the full device ended with status $status"
    find "$disk" | sort >"$work/files-after"
    diff "$work/files-before" "$work/files-after" >&2 ||
        fail "the failed import left files behind"
done

echo "full-disk: on a full device and with one page free, the save failed, said so and kept" \
    "every file, and the import failed and left nothing"
