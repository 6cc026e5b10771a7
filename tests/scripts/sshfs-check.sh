#!/usr/bin/env bash
# Batches on a network share as many users mount one: a folder of this machine mounted through
# sshfs from a private sshd on 127.0.0.1, with keys made for this run alone. There a listing gives
# 4294967295 for every file's number while stat gives another, and a share mounted again numbers
# every file anew, so the files must be told by their names and the rest of their evidence. Each
# step is checked file by file: a batch and its restore file, a batch killed part way and undone
# after the share was mounted again, a batch undone and redone from the history.
# Needs root, sshd, sshfs and FUSE; where it cannot mount, it says so and passes.
# Usage: sshfs-check.sh NAMESHIFT_CLI
set -euo pipefail
cli="$(realpath "$1")"

skip() {
    echo "sshfs check skipped: $*"
    exit 0
}
# shellcheck source=tests/scripts/loopback-sshd.sh
source "$(dirname "${BASH_SOURCE[0]}")/loopback-sshd.sh"
if missing="$(loopback_missing)"; then
    skip "$missing"
fi

work="$(mktemp -d)"
share="$work/share"
mounted="$work/mounted"
cleanup() {
    cd /
    mountpoint -q "$mounted" && fusermount -u "$mounted"
    loopback_stop "$work"
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$share" "$mounted" "$work/settings" "$work/state"

loopback_start "$work" || skip "sshd did not start: $(tail -1 "$work/sshd.log" 2>/dev/null)"

mount_share() {
    cd /
    mountpoint -q "$mounted" && fusermount -u "$mounted"
    loopback_mount "$work" "$share" "$mounted" || return 1
    cd "$mounted"
}
mount_share || skip "cannot mount the share through sshfs"

export XDG_STATE_HOME="$work/state"
nameshift() {
    timeout 600 "$cli" --settings-dir "$work/settings" --no-settings "$@"
}

count=1000
originals=()
for i in $(seq 1 "$count"); do
    originals+=("file $i.txt")
    printf 'contents of file %s' "$i" >"file $i.txt"
done

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
# Every file under PREFIX plus its first name, holding its own contents, and nothing else but
# the restore file.
expect_prefix() {
    local what="$1" prefix="$2" name i=0 listed
    for name in "${originals[@]}"; do
        i=$((i + 1))
        if [[ "$(cat -- "$prefix$name" 2>/dev/null)" != "contents of file $i" ]]; then
            fail "$what: \"$prefix$name\" does not hold the contents of \"$name\""
            return
        fi
    done
    listed="$(find . -mindepth 1 -maxdepth 1 ! -name restore.dat | wc -l)"
    if ((listed != count)); then
        fail "$what: the share holds $listed files instead of $count, among them:"
        find . -mindepth 1 -maxdepth 1 ! -name restore.dat ! -name "$prefix"'file *.txt' -printf '%f\n'
    fi
}

# A batch with its restore file, and the restore right after it: nothing changed in between.
nameshift --prefix x_ --restore-file apply >/dev/null || fail "the batch did not apply"
expect_prefix "after the batch" x_
nameshift restore restore.dat >/dev/null || fail "the restore file was refused"
expect_prefix "after the restore" ""

# A batch killed part way, the share then mounted again as after a crash, and the batch undone
# from its journal. The kill comes once a tenth of the files are renamed; a batch that ended
# before it is taken back by an undo from the history instead.
"$cli" --settings-dir "$work/settings" --no-settings --prefix k_ --no-restore-file apply \
    >/dev/null 2>&1 &
batch=$!
while kill -0 "$batch" 2>/dev/null &&
    (($(find . -maxdepth 1 -name 'k_*' | wc -l) < count / 10)); do
    sleep 0.01
done
kill -KILL "$batch" 2>/dev/null || true
wait "$batch" 2>/dev/null || true
mount_share || fail "cannot mount the share again"
offer="$(nameshift recover)"
if [[ -n "$offer" ]]; then
    echo "$offer"
    nameshift recover --undo >/dev/null 2>&1 || fail "the killed batch could not be undone"
else
    nameshift undo >/dev/null || fail "the batch that ended before the kill could not be undone"
fi
expect_prefix "after the killed batch was undone" ""

# Undo and redo from the history, the share mounted again before each.
nameshift --prefix h_ --no-restore-file apply >/dev/null || fail "the batch did not apply"
mount_share || fail "cannot mount the share again"
nameshift undo >/dev/null || fail "undo from the history failed"
expect_prefix "after the undo" ""
mount_share || fail "cannot mount the share again"
nameshift redo >/dev/null || fail "redo from the history failed"
expect_prefix "after the redo" h_

# A batch over a two-level tree, each file renamed in its own folder, and its undo from the
# history on the share mounted again.
mkdir -p "tree/2024/May"
printf 'one' >"tree/a.txt"
printf 'two' >"tree/2024/b.txt"
printf 'three' >"tree/2024/May/c.txt"
tree_files() { (cd tree && find . -type f -printf '%P=%s\n' | sort | tr '\n' ' '); }
nameshift --dir tree -R --prefix t_ --no-restore-file apply >/dev/null ||
    fail "the batch over the tree did not apply"
[[ "$(tree_files)" == "2024/May/t_c.txt=5 2024/t_b.txt=3 t_a.txt=3 " ]] ||
    fail "after the batch over the tree: $(tree_files)"
mount_share || fail "cannot mount the share again"
nameshift --dir tree undo >/dev/null || fail "the batch over the tree could not be undone"
[[ "$(tree_files)" == "2024/May/c.txt=5 2024/b.txt=3 a.txt=3 " ]] ||
    fail "after the batch over the tree was undone: $(tree_files)"

if ((failed == 0)); then
    echo "sshfs check passed: $count files renamed and restored, a killed batch undone and a"
    echo "batch undone and redone from the history on a share mounted again, file by file, and a"
    echo "batch over a two-level tree undone"
fi
exit "$failed"
