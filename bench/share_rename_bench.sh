#!/usr/bin/env bash
# What a batch costs on a network share, where every request is a round trip: FILES files (10,000
# by default) in one folder, served by bench_delay_fs, a FUSE passthrough that delays each
# request by a set time and answers many at once. At each delay (DELAYS, in milliseconds) it
# times, in one run and each on a freshly mounted share:
#   - bench_renameat2_loop, a bare sequential loop of never-replacing renames (the yardstick),
#   - nameshift-cli apply with its restore file,
#   - nameshift-cli undo of that batch,
# and prints the requests each sent the share, by kind. The kernel asks for a name before it
# renames it, so the bare loop sends lookups (counted as getattr) beside its renames; whatever a
# batch sends beyond the loop's requests and the restore file's few is its own overhead.
# Then FILES files in FOLDERS folders (100 by default) one level down, each file renamed in its
# own folder: bench_tree_loop walking the tree then renaming folder after folder, and with a
# thread a folder, against nameshift-cli -R apply (no restore file) and its undo.
# SHARE=sshfs runs the same on sshfs over loopback instead, once, from a private sshd on
# 127.0.0.1 with keys made for the run; the round trips are then the loopback's own and the
# requests are not counted.
# LISTING_INODES=none makes the share number every listed file as sshfs does, so that a
# listing's numbers say nothing of the files.
# The files are made and put back in the backing folder directly, so only the measured runs go
# through the share; the batches' journals stay on the local disk, as they do for users.
# Aim: apply and undo within 1.1 times the bare loop at every delay.
#
# Needs root, /dev/fuse and fusermount3 (package fuse3), and for SHARE=sshfs sshd and sshfs;
# where it cannot mount, it says so.
# Usage: bench/share_rename_bench.sh [BUILD_DIR]
#   BUILD_DIR defaults to build/ and must hold bin/nameshift-cli, bin/bench_renameat2_loop,
#   bin/bench_tree_loop, bin/bench_make_files and bin/bench_delay_fs (built where libfuse3-dev
#   is installed). FILES=..., FOLDERS=..., DELAYS=... change the sizes and the delays; a quick
#   run: FILES=200 DELAYS=0.5 bench/share_rename_bench.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cli="$build/bin/nameshift-cli"
loop="$build/bin/bench_renameat2_loop"
tree_loop="$build/bin/bench_tree_loop"
make="$build/bin/bench_make_files"
delayfs="$build/bin/bench_delay_fs"
files="${FILES:-10000}"
folders="${FOLDERS:-100}"
delays="${DELAYS:-0.5 2 5}"
share="${SHARE:-delay}"
inode_option=()
[[ "${LISTING_INODES:-}" == none ]] && inode_option=(--listing-inodes=none)

for program in "$cli" "$loop" "$tree_loop" "$make" "$delayfs"; do
    if [[ ! -x "$program" ]]; then
        echo "missing $program: build the project first (with libfuse3-dev for bench_delay_fs)" >&2
        exit 2
    fi
done
# shellcheck source=tests/scripts/loopback-sshd.sh
source "$root/tests/scripts/loopback-sshd.sh"
if [[ "$share" == sshfs ]]; then
    if missing="$(loopback_missing)"; then
        echo "cannot mount the share through sshfs: $missing" >&2
        exit 2
    fi
elif ((EUID != 0)) || [[ ! -c /dev/fuse ]] || ! command -v fusermount3 >/dev/null; then
    echo "cannot mount the share: needs root, /dev/fuse and fusermount3 (apt-get install fuse3)" >&2
    exit 2
fi

work="$(mktemp -d)"
backing="$work/backing"
mounted="$work/mounted"
server=""
unmount() {
    if [[ "$share" == sshfs ]]; then
        mountpoint -q "$mounted" && fusermount -u "$mounted"
        return 0
    fi
    if [[ -n "$server" ]]; then
        fusermount3 -u "$mounted" 2>/dev/null || true
        # The counts are written as the server ends.
        wait "$server" 2>/dev/null || true
        server=""
    fi
}
cleanup() {
    cd /
    unmount
    loopback_stop "$work"
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$backing" "$mounted" "$work/settings" "$work/state"
export XDG_STATE_HOME="$work/state"

mount_share() {
    if [[ "$share" == sshfs ]]; then
        loopback_mount "$work" "$backing" "$mounted" || { echo "cannot mount through sshfs" >&2; exit 1; }
        return 0
    fi
    "$delayfs" "$backing" "$mounted" "$1" "$work/counts" "${inode_option[@]}" \
        -o max_threads=64 2>"$work/delayfs.log" &
    server=$!
    local tries=0
    until mountpoint -q "$mounted"; do
        if ((++tries > 200)) || ! kill -0 "$server" 2>/dev/null; then
            cat "$work/delayfs.log" >&2
            exit 1
        fi
        sleep 0.01
    done
}

cli_in() { (cd "$work/settings" && "$cli" --no-settings "$@" 2>"$work/cli.log" >/dev/null) ||
    { cat "$work/cli.log" >&2; exit 1; }; }
run_loop() { "$loop" "$mounted" x_; }
run_apply() { cli_in --dir "$mounted" --prefix x_ --restore-file apply; }
run_undo() { cli_in undo; }
run_tree_loop() { "$tree_loop" "$mounted" x_; }
run_tree_threads() { "$tree_loop" --threads "$mounted" x_; }
run_tree_apply() { cli_in --dir "$mounted" -R --prefix x_ --no-restore-file apply; }

check_names() {
    local renamed
    renamed="$(find "$backing" -type f -name 'x_*' | wc -l)"
    if [[ "$renamed" -ne "$2" ]]; then
        echo "$1 left $renamed files with the prefix instead of $2" >&2
        exit 1
    fi
}

# shellcheck source=bench/timing.sh
source "$root/bench/timing.sh"
# Runs METHOD on a freshly mounted share at DELAY; sets elapsed (milliseconds) and requests.
measure() {
    local method="$1" delay="$2"
    mount_share "$delay"
    time_method "$method"
    unmount
    requests=""
    [[ "$share" == sshfs ]] && return 0
    requests="$(sort -k2,2nr "$work/counts" | awk '{ total += $2; kinds = kinds sprintf(" %s %d,", $1, $2) }
        END { sub(/,$/, "", kinds); printf "%6d:%s", total, kinds }')"
}

# Back to the first names without the share, for the next method to start where the last did.
put_back() {
    (cd "$backing" && find . -type f -name 'x_*' -printf '%P\0' |
        while IFS= read -r -d '' name; do
            base="${name##*/}"
            printf '%s\0%s\0' "$name" "${name%"$base"}${base#x_}"
        done) >"$work/pairs"
    "$loop" --pairs "$work/pairs" "$backing"
}

# The 100-folder case at DELAY: the two bare loops, the batch and its undo.
tree_case() {
    local delay="$1" wl wt wa wu rl rt ra ru
    rm -rf "$backing"
    mkdir "$backing"
    "$make" tree "$backing" "$files" "$folders"
    measure tree_loop "$delay"
    check_names "the bare tree loop" "$files"
    wl=$elapsed rl="$requests"
    put_back
    measure tree_threads "$delay"
    check_names "the bare tree loop with a thread a folder" "$files"
    wt=$elapsed rt="$requests"
    put_back
    measure tree_apply "$delay"
    check_names "nameshift-cli -R apply" "$files"
    wa=$elapsed ra="$requests"
    measure undo "$delay"
    check_names "nameshift-cli undo" 0
    wu=$elapsed ru="$requests"
    awk -v d="$2" -v f="$files" -v n="$folders" -v wl="$wl" -v wt="$wt" -v wa="$wa" -v wu="$wu" \
        -v rl="$rl" -v rt="$rt" -v ra="$ra" -v ru="$ru" 'BEGIN {
        printf "%s, %d files in %d folders   wall time  / loop   requests\n", d, f, n
        printf "  bare loop, folder by folder  %8.3f s            %s\n", wl / 1000, rl
        printf "  bare loop, a thread a folder %8.3f s   %5.2f    %s\n", wt / 1000, wt / wl, rt
        printf "  nameshift-cli -R apply       %8.3f s   %5.2f    %s\n", wa / 1000, wa / wl, ra
        printf "  nameshift-cli undo           %8.3f s   %5.2f    %s\n", wu / 1000, wu / wl, ru
    }'
}

if [[ "$share" == sshfs ]]; then
    loopback_start "$work" || { echo "sshd did not start: $(tail -1 "$work/sshd.log" 2>/dev/null)" >&2; exit 2; }
    delays="loopback"
fi

if [[ "$share" == sshfs ]]; then
    echo "$files files in one folder on sshfs over loopback"
else
    echo "$files files in one folder on bench_delay_fs${inode_option:+ (listing inodes: none)}"
fi
for delay in $delays; do
    rm -rf "$backing"
    mkdir "$backing"
    "$make" names "$backing" "$files"
    measure loop "$delay"
    check_names "the bare loop" "$files"
    wl=$elapsed
    rl="$requests"
    put_back
    measure apply "$delay"
    check_names "nameshift-cli apply" "$files"
    wa=$elapsed
    ra="$requests"
    measure undo "$delay"
    check_names "nameshift-cli undo" 0
    wu=$elapsed
    ru="$requests"
    awk -v d="$delay" -v wl="$wl" -v wa="$wa" -v wu="$wu" -v rl="$rl" -v ra="$ra" -v ru="$ru" 'BEGIN {
        label = d == "loopback" ? "sshfs over loopback" : "delay " d " ms"
        printf "%s                  wall time  / loop   requests\n", label
        printf "  bare renameat2 loop     %8.3f s            %s\n", wl / 1000, rl
        printf "  nameshift-cli apply     %8.3f s   %5.2f    %s\n", wa / 1000, wa / wl, ra
        printf "  nameshift-cli undo      %8.3f s   %5.2f    %s\n", wu / 1000, wu / wl, ru
    }'
    if [[ "$share" == sshfs ]]; then
        tree_case "$delay" "sshfs over loopback"
    else
        tree_case "$delay" "delay $delay ms"
    fi
done
