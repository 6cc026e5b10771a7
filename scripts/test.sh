#!/usr/bin/env bash
# Installs what is needed, checks the sources' formatting, builds Nameshift Pro (with the presets
# of CMakePresets.json) and runs every test with CTest: once in an optimised build, whose sources clang-tidy then checks (where it is installed) and whose
# installation is checked, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Where clang is installed, the readers' fuzz targets are then built
# with it and each is run for a fixed time from its seed corpus; any crash or sanitizer report
# fails the script.
# NAMESHIFT_SKIP_SANITIZERS=1 runs the first pass only; NAMESHIFT_FUZZ_SECONDS sets the time
# each fuzz target runs (30 by default).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"

export LANG=C.UTF-8
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
jobs="$(nproc)"

# The builds are the presets of CMakePresets.json. Warnings are errors in these (and so in CI),
# though not for whoever merely builds the program.
run_suite() {
    local preset="$1" build_dir="$2"
    (cd "$root" && cmake --preset "$preset" >/dev/null)
    cmake --build "$build_dir"
    ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
}

echo "== Formatting"
if command -v clang-format >/dev/null 2>&1; then
    find "$root" \( -path "$root/build*" -o -path "$root/.git" \) -prune -o \
        \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
fi

echo "== Optimised build"
run_suite test "$root/build"

if command -v clang-tidy >/dev/null 2>&1; then
    echo "== clang-tidy"
    # The program's own sources, with the optimised build's compile commands; the options only
    # GCC knows are no news to clang-tidy.
    tidy_log="$(mktemp)"
    if (cd "$root" && find app cli engine platform settings ui -name '*.cpp' -print0 |
        xargs -0 -P "$jobs" -n 6 clang-tidy -p "$root/build" --quiet \
            --extra-arg=-Wno-unknown-warning-option) >"$tidy_log" 2>&1; then
        rm -f "$tidy_log"
    else
        grep -v "warnings\? generated\.$" "$tidy_log" >&2
        rm -f "$tidy_log"
        echo "clang-tidy found problems" >&2
        exit 1
    fi
fi

echo "== Installation"
bash "$root/scripts/check-install.sh" "$root/build"

echo "== Letter case on a case-folding filesystem"
bash "$root/tests/scripts/case-folding-check.sh" "$root/build/bin/nameshift-cli"

echo "== A network share through sshfs"
bash "$root/tests/scripts/sshfs-check.sh" "$root/build/bin/nameshift-cli"

if [[ "${NAMESHIFT_SKIP_SANITIZERS:-0}" != 1 ]]; then
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
    run_suite sanitize "$root/build-sanitize"
fi

if command -v clang++ >/dev/null 2>&1; then
    echo "== Fuzzing the readers"
    fuzz_build="$root/build-fuzz"
    (cd "$root" && cmake --preset fuzz >/dev/null)
    cmake --build "$fuzz_build"
    for corpus in "$root"/tests/fuzz/corpus/*/; do
        target="$(basename "$corpus")"
        # New inputs go to a scratch directory, so the seed corpus stays as it is checked in;
        # so do the files a target writes. A crashing input is kept beside the build.
        scratch="$(mktemp -d)"
        mkdir "$scratch/corpus" "$scratch/tmp"
        log="$scratch/log"
        echo "-- $target"
        if TMPDIR="$scratch/tmp" "$fuzz_build/bin/$target" \
            -max_total_time="${NAMESHIFT_FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$fuzz_build/$target-" \
            "$scratch/corpus" "$corpus" >"$log" 2>&1; then
            grep -E "^(Done|stat::peak_rss_mb)" "$log" || true
            rm -rf "$scratch"
        else
            cat "$log" >&2
            rm -rf "$scratch"
            echo "$target failed; the input is kept as $fuzz_build/$target-*" >&2
            exit 1
        fi
    done
fi
