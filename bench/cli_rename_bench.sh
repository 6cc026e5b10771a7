#!/usr/bin/env bash
# Compares nameshift-cli apply with the least a renamer must do and with the renamers people use.
#
# Prefix batch: FILES files (100,000 by default) with realistic names (mixed case, several
# extensions and none, spaces, brackets, about one in six beyond ASCII, a few that differ only in
# letter case, the same names on every run) each get the prefix "x_", five ways:
#   - bench_renameat2_loop, a bare loop of never-replacing renameat2 calls (the yardstick),
#   - mmv (package "mmv"),
#   - Debian's rename (perl, package "rename"), fed the names on standard input,
#   - nameshift-cli apply without a restore file, and with one.
# Undoing: the restore-file batch is undone by nameshift-cli restore, against the bare loop doing
# the same renames, and the bare loop's batch likewise.
# Renumbering: RENUMBER files (100,000 by default) n1.txt .. nN.txt become n2.txt .. nN+1.txt, one
# chain of renames that only works from its far end; nameshift-cli (date sort, counter) against
# the bare loop doing the same renames in the right order.
# Memory: nameshift-cli's peak resident size on the prefix batch above its peak on an empty
# directory, per file.
#
# Every nameshift-cli figure includes listing, sorting, planning, ordering and the journal. The
# files live on tmpfs (/dev/shm) unless BENCH_DIR says otherwise: there the renames cost least
# and the renamer's own overhead shows. Each round makes a fresh directory for each method, the
# methods take turns within a round, and the best round of each counts.
# Targets: 100,000 files with the restore file within 1.3 times the bare loop and faster than
# mmv; 1,000,000 files (FILES=1000000) within 1.5 times; at most 250 bytes per file; renumbering
# within 1.4 times the loop; a restore within 1.3 times the loop.
#
# Usage: bench/cli_rename_bench.sh [BUILD_DIR]
#   BUILD_DIR defaults to build/ and must hold bin/nameshift-cli, bin/bench_renameat2_loop and
#   bin/bench_make_files. FILES=..., RENUMBER=... (0 skips it), ROUNDS=... change the sizes and
#   the rounds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cli="$build/bin/nameshift-cli"
loop="$build/bin/bench_renameat2_loop"
make="$build/bin/bench_make_files"
files="${FILES:-100000}"
renumber="${RENUMBER:-100000}"
rounds="${ROUNDS:-3}"
base="${BENCH_DIR:-/dev/shm}"

for program in "$cli" "$loop" "$make"; do
    if [[ ! -x "$program" ]]; then
        echo "missing $program: build the project first (cmake --build $build)" >&2
        exit 2
    fi
done
for tool in rename mmv /usr/bin/time; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing $tool: apt-get install ${tool##*/}" >&2
        exit 2
    fi
done
[[ -d "$base" ]] || base="${TMPDIR:-/tmp}"

work="$(mktemp -d "$base/nameshift-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/settings" "$work/state"
# The batches' journals and locks stay inside the bench's own folder.
export XDG_STATE_HOME="$work/state"

fresh() {
    rm -rf "$work/files"
    mkdir "$work/files"
}

# Every file must carry the prefix afterwards, or the time means nothing.
check_renamed() {
    local renamed
    renamed="$(find "$work/files" -maxdepth 1 -type f -name 'x_*' | wc -l)"
    if [[ "$renamed" -ne "$1" ]]; then
        echo "$2 renamed $renamed of $1 files" >&2
        exit 1
    fi
}

check_renumbered() {
    if [[ -e "$work/files/n1.txt" || ! -e "$work/files/n$(($1 + 1)).txt" ]] ||
        [[ "$(find "$work/files" -maxdepth 1 -type f -name 'n*.txt' | wc -l)" -ne "$1" ]]; then
        echo "$2 did not renumber the files" >&2
        exit 1
    fi
}

cli_in() { (cd "$work/settings" && "$cli" --dir "$work/files" --no-settings "$@" 2>"$work/cli.log") ||
    { cat "$work/cli.log" >&2; exit 1; }; }
run_loop() { "$loop" "$work/files" x_; }
run_mmv() { (cd "$work/files" && mmv -r '*' 'x_#1'); }
run_rename() { (cd "$work/files" && printf '%s\0' * | rename -0 's/^/x_/'); }
run_plain() { cli_in --prefix x_ --no-restore-file apply; }
run_record() { cli_in --prefix x_ --restore-file apply; }
run_chain() { "$loop" --pairs "$work/pairs" "$work/files"; }
# Undoing the prefix batch: nameshift-cli restore from the restore file the batch wrote, and the
# bare loop doing the same renames from a list of them made beforehand.
run_unloop() { "$loop" --pairs "$work/unpairs" "$work/files"; }
run_restore() { cli_in restore "$work/files/restore.dat"; }
undo_pairs() { (cd "$work/files" && for name in x_*; do printf '%s\0%s\0' "$name" "${name#x_}"; done) >"$work/unpairs"; }
check_restored() {
    if [[ -n "$(find "$work/files" -maxdepth 1 -type f -name 'x_*' -print -quit)" ]]; then
        echo "$1 left files with the prefix" >&2
        exit 1
    fi
}
run_renumber() {
    cli_in --sort date --prefix-at replace --prefix n --counter 2,1 --counter-digits 1 --counter-at append \
        --restore-file apply
}

# Wall time is what the targets speak of; processor time (user + system) is printed beside it,
# since on a busy machine it varies far less from run to run.
# shellcheck source=bench/timing.sh
source "$root/bench/timing.sh"
declare -A wall cpu

for ((round = 1; round <= rounds; round++)); do
    for method in loop mmv rename plain record; do
        fresh
        "$make" names "$work/files" "$files"
        measure_best "$method"
        check_renamed "$files" "$method"
        if [[ "$method" == loop ]]; then
            undo_pairs
            measure_best unloop
            check_restored unloop
        elif [[ "$method" == record ]]; then
            measure_best restore
            check_restored restore
        fi
    done
    if ((renumber > 0)); then
        for method in chain renumber; do
            fresh
            "$make" renumber "$work/files" "$renumber" "$work/pairs"
            measure_best "$method"
            check_renumbered "$renumber" "$method"
        done
    fi
done

# Peak resident size in kilobytes, best of the rounds.
peak() {
    local best="" kb
    for ((round = 1; round <= rounds; round++)); do
        fresh
        (($1 > 0)) && "$make" names "$work/files" "$1"
        kb="$(cd "$work/settings" && /usr/bin/time -f %M "$cli" --dir "$work/files" --no-settings \
            --prefix x_ --restore-file apply 2>&1 >/dev/null | tail -n 1)"
        if [[ -z "$best" || $kb -lt $best ]]; then best="$kb"; fi
    done
    echo "$best"
}
empty_kb="$(peak 0)"
full_kb="$(peak "$files")"

target=1.30
((files >= 1000000)) && target=1.50
awk -v files="$files" -v rounds="$rounds" -v target="$target" -v renumber="$renumber" -v base="$base" \
    -v wl="${wall[loop]}" -v wm="${wall[mmv]}" -v wr="${wall[rename]}" \
    -v wp="${wall[plain]}" -v wc="${wall[record]}" -v wu="${wall[unloop]}" -v wo="${wall[restore]}" \
    -v cl="${cpu[loop]}" -v cm="${cpu[mmv]}" -v cr="${cpu[rename]}" \
    -v cp="${cpu[plain]}" -v cc="${cpu[record]}" -v cu="${cpu[unloop]}" -v co="${cpu[restore]}" \
    -v wch="${wall[chain]:-0}" -v wn="${wall[renumber]:-0}" \
    -v cch="${cpu[chain]:-0}" -v cn="${cpu[renumber]:-0}" \
    -v ek="$empty_kb" -v fk="$full_kb" 'BEGIN {
    printf "%d files on %s, best of %d rounds        wall time   processor time\n", files, base, rounds
    printf "  bare renameat2 loop                 %8.3f s   %8.3f s\n", wl / 1000, cl / 1000
    printf "  mmv                                 %8.3f s   %8.3f s\n", wm / 1000, cm / 1000
    printf "  rename (perl)                       %8.3f s   %8.3f s\n", wr / 1000, cr / 1000
    printf "  nameshift-cli apply, no restore     %8.3f s   %8.3f s\n", wp / 1000, cp / 1000
    printf "  nameshift-cli apply, restore file   %8.3f s   %8.3f s\n", wc / 1000, cc / 1000
    printf "no restore file / bare loop           %8.2f     %8.2f\n", wp / wl, cp / cl
    printf "restore file / bare loop              %8.2f     %8.2f     (target: at most %s)\n", wc / wl, cc / cl, target
    printf "restore file / mmv                    %8.2f     %8.2f     (target: below 1.00)\n", wc / wm, cc / cm
    printf "restore file / rename                 %8.2f     %8.2f\n", wc / wr, cc / cr
    printf "undoing the batch                     wall time   processor time\n"
    printf "  bare loop, the same renames         %8.3f s   %8.3f s\n", wu / 1000, cu / 1000
    printf "  nameshift-cli restore               %8.3f s   %8.3f s\n", wo / 1000, co / 1000
    printf "restore / bare loop                   %8.2f     %8.2f     (target: at most 1.30)\n", wo / wu, co / cu
    printf "peak memory: %d kB empty, %d kB with %d files: %.0f bytes per file (target: at most 250)\n", ek, fk, files, (fk - ek) * 1024 / files
    if (renumber > 0) {
        printf "renumbering %d files by one          wall time   processor time\n", renumber
        printf "  bare loop, renames in order         %8.3f s   %8.3f s\n", wch / 1000, cch / 1000
        printf "  nameshift-cli apply, restore file   %8.3f s   %8.3f s\n", wn / 1000, cn / 1000
        printf "nameshift-cli / bare loop             %8.2f     %8.2f     (target: at most 1.40)\n", wn / wch, cn / cch
    }
}'
