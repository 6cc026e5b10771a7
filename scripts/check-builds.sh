#!/usr/bin/env bash
# For developers, before a release (too long for CI): builds Nameshift Pro as a packager would,
# once as a plain Release build and once with Debian's default flags, with the compiler's
# warnings shown but not fatal, and fails when either build prints a warning.
# Usage: scripts/check-builds.sh [WORK_DIR]   (default: build-check/ in the source folder)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${1:-$root/build-check}"

check_build() {
    local name="$1"
    shift
    echo "== $name"
    rm -rf "$work/$name"
    cmake -S "$root" -B "$work/$name" -G Ninja "$@" >/dev/null
    cmake --build "$work/$name" 2>&1 | tee "$work/$name.log" >/dev/null
    if grep -E "warning:" "$work/$name.log"; then
        echo "FAIL: the $name build printed warnings"
        return 1
    fi
    echo "clean"
}

mkdir -p "$work"
status=0
check_build release -DCMAKE_BUILD_TYPE=Release || status=1
check_build debian-flags -DCMAKE_BUILD_TYPE=None \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" || status=1
exit "$status"
