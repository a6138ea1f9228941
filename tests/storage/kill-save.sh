#!/usr/bin/env bash
# Kills save_loop at random moments of its saves and checks after every kill that the account
# still reads completely, with every group and item and no empty file; then that opening the
# account clears the temporary files the kills left.
# usage: kill-save.sh SAVE_LOOP VEMO_CLI   (KILL_SAVE_KILLS sets the number of kills, default 300)
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: kill-save.sh SAVE_LOOP VEMO_CLI" >&2
    exit 2
fi
save_loop=$1
vemo_cli=$2
kills=${KILL_SAVE_KILLS:-300}
group_count=3
items_per_group=300

# shellcheck source=tests/storage/account-json.sh
source "$(dirname "$0")/account-json.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings and the program folder stay in the scratch folder, away from the user's files.
export VEMO_HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
account=$work/home/Stress
stage=setup

fail()
{
    echo "kill-save: FAIL ($stage): $*" >&2
    exit 1
}

# One line per group, "NAME ITEMS", from what vemo-cli reads back.
account_shape()
{
    "$vemo_cli" list "$account" >"$work/list.txt" || fail "vemo-cli list cannot read the account"
    awk 'NR > 1 && $0 == "" { getline name; count[++n] = 0; names[n] = name; next }
         /^  \[/ { ++count[n] }
         END { for (i = 1; i <= n; ++i) print names[i], count[i] }' "$work/list.txt"
}

temporary_files()
{
    find "$account" -maxdepth 1 \( -name '*.grp.??????' -o -name '*.acf.??????' \) -printf '%f\n'
}

write_account_json "$group_count" "$items_per_group" >"$work/account.json"
"$vemo_cli" import "$work/account.json" "$account" || fail "vemo-cli import failed"
expected=$(account_shape) || exit 1
[[ $(wc -l <<<"$expected") -eq $group_count ]] || fail "the imported account reads as: $expected"

mkfifo "$work/ready"
for ((kill_no = 1; kill_no <= kills; ++kill_no)); do
    stage="after kill $kill_no of $kills"
    "$save_loop" "$account" 1000000000 >"$work/ready" &
    pid=$!
    # The delay starts once the account is open, so the kill lands in the saves, not in start-up.
    read -r ready <"$work/ready" || true
    [[ $ready == open ]] || fail "save_loop did not open the account"
    sleep "0.0$(printf '%02d' $((RANDOM % 61)))"
    kill -KILL "$pid" 2>/dev/null || true
    status=0
    # Quiet: the shell would report every killed job.
    wait "$pid" 2>/dev/null || status=$?
    [[ $status -eq 137 ]] || fail "save_loop ended by itself with status $status before the kill"

    shape=$(account_shape) || exit 1
    [[ $shape == "$expected" ]] ||
        fail "groups or items changed: expected \"$expected\", read \"$shape\""
    empty=$(find "$account" -maxdepth 1 \( -name '*.grp' -o -name '*.acf' \) -empty -printf '%f ')
    [[ -z $empty ]] || fail "empty file: $empty"
done
stage="after all $kills kills"

left_over=$(temporary_files | wc -l)
# Few kills land between writing a temporary file and renaming it, so two cut-short ones are
# planted as well: the clean-up is checked every run.
head -c 100 "$account/Group 1.grp" >"$account/Group 1.grp.kILLed"
: >"$account/Stress.acf.kILLed"
"$save_loop" "$account" 0 >/dev/null || fail "save_loop cannot open the account after the kills"
remaining=$(temporary_files | tr '\n' ' ')
[[ -z $remaining ]] || fail "opening the account left temporary files: $remaining"
shape=$(account_shape) || exit 1
[[ $shape == "$expected" ]] || fail "opening the account changed groups or items: \"$shape\""

# An import killed at any moment leaves either no account or the whole one, never a part.
import_kills=${KILL_IMPORT_KILLS:-60}
imported=0
for ((kill_no = 1; kill_no <= import_kills; ++kill_no)); do
    stage="after import kill $kill_no of $import_kills"
    target=$work/imports/Copy$kill_no
    "$vemo_cli" import "$work/account.json" "$target" 2>/dev/null &
    pid=$!
    # An import takes a few tens of milliseconds; most kills land in it, a few after it.
    sleep "0.0$(printf '%02d' $((RANDOM % 70)))"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [[ -e $target ]]; then
        account=$target
        shape=$(account_shape) || exit 1
        [[ $shape == "$expected" ]] || fail "a killed import left a part of the account: \"$shape\""
        ((++imported))
    fi
done

echo "kill-save: $kills kills, $group_count groups of $items_per_group items intact after each;" \
    "opening removed the $left_over temporary files they left and 2 planted ones;" \
    "$import_kills killed imports left $imported whole accounts and no part of one"
