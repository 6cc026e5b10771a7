#!/usr/bin/env bash
# Compares nameshift-cli -R apply over a tree of folders with the least a renamer of a tree must do.
#
# FILES files (1,000,000 by default) with realistic names are dealt out among FOLDERS folders
# (10,000 by default) one level below the listed folder; each file gets the prefix "x_" in its
# own folder, two ways:
#   - bench_tree_loop, an nftw walk then a never-replacing renameat2 per file (the yardstick),
#   - nameshift-cli -R --prefix x_ --no-restore-file apply: its listing of every folder,
#     sorting, planning, checks and the apply with its journal and history record.
# Memory: nameshift-cli's peak resident size (GNU time's %M, the child's getrusage ru_maxrss),
# whole and above its peak on an empty folder, per file.
#
# The files live on tmpfs (/dev/shm) unless BENCH_DIR says otherwise. Each method gets a freshly
# made tree, the two take turns within a round (the first of them alternating), and the best
# round of each counts.
#
# Usage: bench/cli_tree_bench.sh [BUILD_DIR]
#   BUILD_DIR defaults to build/ and must hold bin/nameshift-cli, bin/bench_tree_loop and
#   bin/bench_make_files. FILES=..., FOLDERS=..., ROUNDS=... change the sizes and the rounds; a
#   quick run: FILES=100000 FOLDERS=1000 bench/cli_tree_bench.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cli="$build/bin/nameshift-cli"
loop="$build/bin/bench_tree_loop"
make="$build/bin/bench_make_files"
files="${FILES:-1000000}"
folders="${FOLDERS:-10000}"
rounds="${ROUNDS:-3}"
base="${BENCH_DIR:-/dev/shm}"

for program in "$cli" "$loop" "$make"; do
    if [[ ! -x "$program" ]]; then
        echo "missing $program: build the project first (cmake --build $build)" >&2
        exit 2
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    echo "missing /usr/bin/time: apt-get install time" >&2
    exit 2
fi
[[ -d "$base" ]] || base="${TMPDIR:-/tmp}"

work="$(mktemp -d "$base/nameshift-tree-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/settings" "$work/state"
# The batches' journals, history and locks stay inside the bench's own folder.
export XDG_STATE_HOME="$work/state"

fresh() {
    rm -rf "$work/files"
    mkdir "$work/files"
    (($1 > 0)) && "$make" tree "$work/files" "$1" "$folders"
    return 0
}

# Every file must carry the prefix afterwards, or the time means nothing.
check_renamed() {
    local renamed
    renamed="$(find "$work/files" -type f -name 'x_*' | wc -l)"
    if [[ "$renamed" -ne "$files" ]]; then
        echo "$1 renamed $renamed of $files files" >&2
        exit 1
    fi
}

run_loop() { "$loop" "$work/files" x_; }
run_cli() {
    (cd "$work/settings" && /usr/bin/time -o "$work/peak" -f %M "$cli" --dir "$work/files" \
        --no-settings -R --prefix x_ --no-restore-file apply 2>"$work/cli.log") ||
        { cat "$work/cli.log" >&2; exit 1; }
}

# Wall time is what counts; processor time (user + system) is printed beside it, since on a busy
# machine it varies far less from run to run.
# shellcheck source=bench/timing.sh
source "$root/bench/timing.sh"
declare -A wall cpu
peak_kb=""

for ((round = 1; round <= rounds; round++)); do
    order="loop cli"
    ((round % 2 == 0)) && order="cli loop"
    for method in $order; do
        fresh "$files"
        measure_best "$method"
        check_renamed "$method"
        if [[ "$method" == cli ]]; then
            kb="$(tail -n 1 "$work/peak")"
            if [[ -z "$peak_kb" || $kb -lt $peak_kb ]]; then peak_kb="$kb"; fi
        fi
    done
done

# With nothing to rename the tool refuses the batch, after its start-up and listing.
fresh 0
(cd "$work/settings" && /usr/bin/time -o "$work/peak" -f %M "$cli" --dir "$work/files" \
    --no-settings -R --prefix x_ --no-restore-file apply >/dev/null 2>&1) || true
empty_kb="$(tail -n 1 "$work/peak")"

awk -v files="$files" -v folders="$folders" -v rounds="$rounds" -v base="$base" \
    -v wl="${wall[loop]}" -v wc="${wall[cli]}" -v cl="${cpu[loop]}" -v cc="${cpu[cli]}" \
    -v ek="$empty_kb" -v fk="$peak_kb" 'BEGIN {
    printf "%d files in %d folders on %s, best of %d rounds   wall time   processor time\n", files, folders, base, rounds
    printf "  bare nftw + renameat2 loop                 %8.3f s   %8.3f s\n", wl / 1000, cl / 1000
    printf "  nameshift-cli -R apply, no restore file    %8.3f s   %8.3f s\n", wc / 1000, cc / 1000
    printf "nameshift-cli / bare loop                    %8.2f     %8.2f\n", wc / wl, cc / cl
    printf "peak memory (GNU time %%M, the child'"'"'s ru_maxrss): %d kB empty, %d kB with %d files:\n", ek, fk, files
    printf "  %.0f bytes per file in all, %.0f above the empty run\n", fk * 1024 / files, (fk - ek) * 1024 / files
}'
