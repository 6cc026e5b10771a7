#!/usr/bin/env bash
# Compares nameshift-cli preview with a regular-expression replace against its preview with a
# prefix, over FILES realistic names (100,000 by default; the names of cli_rename_bench.sh).
# The pattern takes every name's first run of digits as a group and puts it back behind a "#",
# which keeps the names distinct, so that the whole plan is made and printed.
# Target: the regular expression within 1.5 times the prefix.
#
# Usage: bench/cli_regex_preview_bench.sh [BUILD_DIR]; FILES=..., ROUNDS=... change the size and
# the rounds. The methods take turns within a round, and the best round of each counts.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cli="$build/bin/nameshift-cli"
make="$build/bin/bench_make_files"
files="${FILES:-100000}"
rounds="${ROUNDS:-5}"
base="${BENCH_DIR:-/dev/shm}"
[[ -d "$base" ]] || base="${TMPDIR:-/tmp}"

work="$(mktemp -d "$base/nameshift-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/files" "$work/settings" "$work/state"
export XDG_STATE_HOME="$work/state"
"$make" names "$work/files" "$files"

run_prefix() { "$cli" --dir "$work/files" --no-settings --prefix x_ preview; }
run_regex() { "$cli" --dir "$work/files" --no-settings --replace '(\d+)' --with '#$1' --regex preview; }

TIMEFORMAT='%3R'
declare -A best
for ((round = 1; round <= rounds; round++)); do
    for method in prefix regex; do
        { time (cd "$work/settings" && "run_$method" >/dev/null 2>"$work/cli.log"); } 2>"$work/time" ||
            { cat "$work/cli.log" >&2; exit 1; }
        elapsed="$(<"$work/time")"
        elapsed="${elapsed/./}"
        if [[ -z "${best[$method]:-}" || 10#$elapsed -lt 10#${best[$method]} ]]; then
            best[$method]="$elapsed"
        fi
    done
done
awk -v files="$files" -v rounds="$rounds" -v p="${best[prefix]}" -v r="${best[regex]}" 'BEGIN {
    printf "%d files, best of %d rounds                  wall time\n", files, rounds
    printf "  nameshift-cli preview, prefix          %8.3f s\n", p / 1000
    printf "  nameshift-cli preview, regex and group %8.3f s\n", r / 1000
    printf "regex / prefix                           %8.2f     (target: at most 1.50)\n", r / p
}'
