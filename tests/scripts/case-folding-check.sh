#!/usr/bin/env bash
# Letter-case batches on a filesystem that folds case, as on camera cards, USB sticks and SMB
# shares: an exFAT image on a loop device, mounted through FUSE. There the never-replacing rename
# finds "dsc_0001.jpg" taken by "DSC_0001.JPG" itself, so nameshift-cli must go through a
# temporary name; a restore must bring the old spelling back.
# Needs root, a loop device and FUSE; where it cannot mount, it says so and passes.
# Usage: case-folding-check.sh NAMESHIFT_CLI
set -euo pipefail
cli="$(realpath "$1")"

skip() {
    echo "case-folding check skipped: $*"
    exit 0
}
((EUID == 0)) || skip "not root"
for tool in losetup mkfs.exfat mount.exfat-fuse; do
    command -v "$tool" >/dev/null || skip "no $tool (apt-get install exfatprogs exfat-fuse)"
done
[[ -c /dev/fuse ]] || skip "no /dev/fuse"

work="$(mktemp -d)"
loop=""
cleanup() {
    mountpoint -q "$work/card" && umount "$work/card"
    [[ -n "$loop" ]] && losetup -d "$loop"
    rm -rf "$work"
}
trap cleanup EXIT

truncate -s 32M "$work/card.img"
mkfs.exfat "$work/card.img" >/dev/null
loop="$(losetup -f --show "$work/card.img" 2>/dev/null)" || skip "no free loop device"
mkdir "$work/card" "$work/settings"
mount.exfat-fuse "$loop" "$work/card" >/dev/null 2>&1 || skip "cannot mount exFAT through FUSE"

cd "$work/card"
trap 'cd /; cleanup' EXIT
names=("DSC_0001.JPG" "DSC_0002.JPG" "Holiday Photo.JPEG" "README")
for name in "${names[@]}"; do
    printf '%s' "contents of $name" >"$name"
done

failed=0
expect_names() {
    local what="$1"
    shift
    local got expected
    got="$(find . -mindepth 1 -maxdepth 1 ! -name restore.dat -printf '%f\n' | sort)"
    expected="$(printf '%s\n' "$@" | sort)"
    if [[ "$got" != "$expected" ]]; then
        echo "FAIL: $what: the card holds" $'\n'"$got"$'\n'"instead of"$'\n'"$expected"
        failed=1
    fi
    for name in "$@"; do
        local original
        for original in "${names[@]}"; do
            if [[ "${original,,}" == "${name,,}" && "$(cat -- "$name")" != "contents of $original" ]]; then
                echo "FAIL: $what: $name does not hold the contents of $original"
                failed=1
            fi
        done
    done
}

cli_run() {
    "$cli" --settings-dir "$work/settings" --no-settings "$@"
}

cli_run --lower --restore-file apply
expect_names "after --lower" "dsc_0001.jpg" "dsc_0002.jpg" "holiday photo.jpeg" "readme"

cli_run restore restore.dat
expect_names "after the restore" "${names[@]}"
if [[ -e restore.dat ]]; then
    echo "FAIL: the restore left restore.dat behind"
    failed=1
fi

# The user's own file under another spelling of the restore file's name is never replaced, even
# with --yes, and no file may be given such a spelling by a batch that writes a restore file.
printf 'mine' >RESTORE.DAT
status=0
cli_run --select '*.JPG' --prefix x_ --yes apply 2>/dev/null || status=$?
if ((status != 2)); then
    echo "FAIL: a batch that would replace RESTORE.DAT with its restore file was not refused"
    failed=1
fi
if [[ "$(cat RESTORE.DAT)" != mine ]]; then
    echo "FAIL: RESTORE.DAT was replaced"
    failed=1
fi
rm RESTORE.DAT
status=0
cli_run --select README --replace README --with restore.DAT --restore-file apply 2>/dev/null ||
    status=$?
if ((status != 2)); then
    echo "FAIL: a batch renaming a file to restore.DAT was not refused"
    failed=1
fi
expect_names "after the refused batches" "${names[@]}"

# A batch killed part way (wherever the kill lands) is undone to the last file: exfat-fuse gives
# readdir numbers that are not the files' own, so the files are told by their names and by stat.
mkdir "$work/killed"
killed=()
for i in $(seq 1 300); do
    killed+=("Photo $i.JPG")
    printf '%s' "contents of Photo $i.JPG" >"Photo $i.JPG"
done
names+=("${killed[@]}")
export XDG_STATE_HOME="$work/state"
# In the foreground, so that only the tool is killed; the shell says nothing of it.
(timeout --foreground -s KILL 0.2 "$cli" --settings-dir "$work/settings" --no-settings --select 'Photo*' \
    --lower --no-restore-file apply >/dev/null 2>&1) 2>/dev/null || true
# Mounted anew, as after a crash of the machine: exfat-fuse then numbers every file anew.
cd /
umount "$work/card"
mount.exfat-fuse "$loop" "$work/card" >/dev/null 2>&1 || skip "cannot mount exFAT again"
cd "$work/card"
if [[ -n "$("$cli" --settings-dir "$work/settings" --no-settings recover)" ]]; then
    "$cli" --settings-dir "$work/settings" --no-settings recover --undo >/dev/null 2>&1 || {
        echo "FAIL: the killed batch could not be undone"
        failed=1
    }
else
    # The batch ended before the kill; a second batch takes it back.
    for i in $(seq 1 300); do
        mv -- "photo $i.jpg" "Photo $i.JPG" 2>/dev/null || true
    done
fi
expect_names "after a killed batch was undone" "${names[@]}"

# A lower-case batch over a two-level tree, each file in its own folder, and its undo.
mkdir -p "Tree/Day 1"
printf 'one' >"Tree/IMG_1.JPG"
printf 'three' >"Tree/Day 1/IMG_2.JPG"
tree_files() { (cd Tree && find . -type f -printf '%P=%s\n' | sort | tr '\n' ' '); }
cli_run --dir Tree -R --lower --no-restore-file apply >/dev/null ||
    { echo "FAIL: the batch over the tree did not apply"; failed=1; }
if [[ "$(tree_files)" != "Day 1/img_2.jpg=5 img_1.jpg=3 " ]]; then
    echo "FAIL: after the batch over the tree: $(tree_files)"
    failed=1
fi
cli_run --dir Tree undo >/dev/null || { echo "FAIL: the tree's batch was not undone"; failed=1; }
if [[ "$(tree_files)" != "Day 1/IMG_2.JPG=5 IMG_1.JPG=3 " ]]; then
    echo "FAIL: after the batch over the tree was undone: $(tree_files)"
    failed=1
fi

if ((failed == 0)); then
    echo "case-folding check passed: a lower-case batch and its restore on exFAT, the restore"
    echo "file's name in other spellings, a killed batch undone, and a batch over a tree"
fi
exit "$failed"
