#!/usr/bin/env bash
# Renames 100,000 files by a prefix three ways in the same run and compares the times:
#   - nameshift-cli apply (listing, rules, checks, never-replacing renames, restore.dat),
#   - Debian's rename (perl, package "rename"), fed the names on standard input,
#   - bench_renameat2_loop, a bare loop of renameat2 calls over the directory's names.
# Each round makes a fresh directory of empty files for each of the three; the best round of
# each counts. Targets: nameshift-cli within 1.5 times the bare loop, and faster than rename.
#
# Usage: bench/cli_rename_bench.sh [BUILD_DIR]
#   BUILD_DIR defaults to build/ and must hold bin/nameshift-cli and bin/bench_renameat2_loop
#   (both are built with the project). FILES=... and ROUNDS=... change the size and the rounds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cli="$build/bin/nameshift-cli"
loop="$build/bin/bench_renameat2_loop"
files="${FILES:-100000}"
rounds="${ROUNDS:-3}"

for program in "$cli" "$loop"; do
    if [[ ! -x "$program" ]]; then
        echo "missing $program: build the project first (cmake --build $build)" >&2
        exit 2
    fi
done
if ! command -v rename >/dev/null; then
    echo "missing rename: apt-get install rename" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/nameshift-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/settings"

make_files() {
    rm -rf "$1"
    mkdir "$1"
    (cd "$1" && seq -f 'file%06.0f.txt' 1 "$files" | xargs touch)
}

# Every file must carry the prefix afterwards, or the time means nothing.
check_renamed() {
    local renamed
    renamed="$(find "$1" -maxdepth 1 -type f -name 'x_*' | wc -l)"
    if [[ "$renamed" -ne "$files" ]]; then
        echo "$2 renamed $renamed of $files files" >&2
        exit 1
    fi
}

run_loop() { "$loop" "$1" x_; }
run_rename() { (cd "$1" && printf '%s\0' * | rename -0 's/^/x_/'); }
run_cli() {
    (cd "$work/settings" && "$cli" --dir "$1" --no-settings --prefix x_ apply 2>"$work/cli.log") ||
        { cat "$work/cli.log" >&2; exit 1; }
}

# Wall time is what the targets speak of; processor time (user + system) is printed beside it,
# since on a busy machine it varies far less from run to run.
TIMEFORMAT='%3R %3U %3S'
declare -A wall cpu
for ((round = 1; round <= rounds; round++)); do
    for method in loop rename cli; do
        make_files "$work/files"
        sync
        read -r real user system < <({ time "run_$method" "$work/files" 2>&3; } 3>&2 2>&1)
        check_renamed "$work/files" "$method"
        elapsed="${real/./}"
        used=$((10#${user/./} + 10#${system/./}))
        if [[ -z "${wall[$method]:-}" || 10#$elapsed -lt 10#${wall[$method]} ]]; then
            wall[$method]="$elapsed"
        fi
        if [[ -z "${cpu[$method]:-}" || $used -lt ${cpu[$method]} ]]; then
            cpu[$method]="$used"
        fi
    done
done

awk -v files="$files" -v rounds="$rounds" \
    -v wl="${wall[loop]}" -v wr="${wall[rename]}" -v wc="${wall[cli]}" \
    -v cl="${cpu[loop]}" -v cr="${cpu[rename]}" -v cc="${cpu[cli]}" 'BEGIN {
    printf "%d files, best of %d rounds      wall time   processor time\n", files, rounds
    printf "  bare renameat2 loop        %8.3f s   %8.3f s\n", wl / 1000, cl / 1000
    printf "  rename (perl)              %8.3f s   %8.3f s\n", wr / 1000, cr / 1000
    printf "  nameshift-cli apply        %8.3f s   %8.3f s\n", wc / 1000, cc / 1000
    printf "nameshift-cli / bare loop    %8.2f     %8.2f     (target: at most 1.50)\n", wc / wl, cc / cl
    printf "nameshift-cli / rename       %8.2f     %8.2f     (target: below 1.00)\n", wc / wr, cc / cr
}'
