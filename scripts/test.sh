#!/usr/bin/env bash
# Installs what is needed, builds Nameshift Pro and runs every test with CTest: once in an
# optimised build, whose installation is then checked, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
# NAMESHIFT_SKIP_SANITIZERS=1 runs the first pass only.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"

export LANG=C.UTF-8
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
jobs="$(nproc)"

run_suite() {
    local build_dir="$1"
    shift
    # Warnings are errors here (and so in CI), though not for whoever merely builds the program.
    cmake -S "$root" -B "$build_dir" -G Ninja -DNAMESHIFT_WERROR=ON "$@" >/dev/null
    cmake --build "$build_dir"
    ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
}

echo "== Optimised build"
run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== Installation"
bash "$root/scripts/check-install.sh" "$root/build"

echo "== Letter case on a case-folding filesystem"
bash "$root/tests/scripts/case-folding-check.sh" "$root/build/bin/nameshift-cli"

if [[ "${NAMESHIFT_SKIP_SANITIZERS:-0}" != 1 ]]; then
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
    run_suite "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DNAMESHIFT_SANITIZE=ON \
        -DNAMESHIFT_BUILD_BENCHMARKS=OFF
fi
