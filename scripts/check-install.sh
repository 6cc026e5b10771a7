#!/usr/bin/env bash
# Checks what an installation gives a user and a packager: installs a finished build into a
# staging folder while the build folder cannot be written, validates the menu entry, the file
# managers' actions and the AppStream file there, reads and lints the manual pages, counts the German help pages, asks both
# programs their version, starts the installed launcher once with an empty settings folder and
# the program once by hand (offscreen), installs again with another prefix than the configured one
# and starts the menu entry's program from there, and runs nameshift-cli quietly and verbosely.
# Usage: scripts/check-install.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

work="$(mktemp -d)"
chmod 755 "$work"
trap 'chmod -R u+w "$build" 2>/dev/null || true; rm -rf "$work"' EXIT
stage="$work/stage"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"

echo "== Install into a staging folder, the build folder read-only"
# CMake itself writes its list of installed files into the build folder; that one file is left
# writable, and nothing else may change.
touch "$build/install_manifest.txt"
touch "$work/before"
mkdir "$stage"
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if ((EUID == 0)) && "${as_nobody[@]}" test -r "$build/cmake_install.cmake"; then
    # Root writes anywhere, so the install runs as a user that may not write the build folder.
    chown nobody "$build/install_manifest.txt" "$stage"
    run_install=("${as_nobody[@]}")
elif ((EUID == 0)); then
    # The build folder lies where that user cannot reach it (a private temporary folder, say):
    # in a mount namespace of the install's own, the build folder is mounted read-only over
    # itself, all but CMake's list of installed files.
    run_install=(unshare --mount -- bash -c 'mount --bind "$1" "$1" &&
        mount --bind "$1/install_manifest.txt" "$1/install_manifest.txt" &&
        mount -o remount,bind,ro "$1" && shift && exec "$@"' read-only-build "$build")
else
    chmod -R a-w "$build"
    chmod u+w "$build/install_manifest.txt"
    run_install=()
fi
if ! DESTDIR="$stage" "${run_install[@]}" cmake --install "$build" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install"
fi
chmod -R u+w "$build"
changed="$(find "$build" -newer "$work/before" ! -name install_manifest.txt -print)"
[[ -z "$changed" ]] || fail "the install changed the build folder: $changed"
installed="$stage$prefix"

echo "== Menu entry and AppStream file"
desktop="$installed/share/applications/nameshift.desktop"
report="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate failed"
[[ -z "$report" ]] || fail "desktop-file-validate: $report"
metainfo=("$installed"/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "${metainfo[@]}" || fail "metainfo release is not $version"
grep -q "<project_license>MIT</project_license>" "${metainfo[@]}" || fail "metainfo licence"

echo "== File manager actions"
# Dolphin's service menu and the FileManager-Actions entry extend the desktop entry format with
# types of their own, which desktop-file-validate refuses, and Nemo's is a format of its own: each
# is read as a key file (every line a group, a comment or a key and its value) that holds the keys
# its file manager needs, and the German name.
check_actions() {
    local file="$1"
    shift
    [[ -f "$file" ]] || { fail "$file is not installed"; return; }
    awk '!/^(\[[^]]+\]|#.*|[A-Za-z0-9-]+(\[[A-Za-z_@]+\])?=.*|)$/ { print FILENAME ": " $0; bad = 1 }
        END { exit bad }' "$file" || fail "$file is not a key file"
    for key in "$@" 'Name\[de\]'; do
        grep -q "^$key=" "$file" || fail "$file has no $key"
    done
    grep -q "^Exec=nameshift-launcher %F$" "$file" || fail "$file does not start the launcher"
}
check_actions "$installed/share/kio/servicemenus/nameshift.desktop" Type X-KDE-ServiceTypes \
    MimeType Actions Name
check_actions "$installed/share/nemo/actions/nameshift.nemo_action" Name Selection Extensions
check_actions "$installed/share/file-manager/actions/nameshift.desktop" Type Name Profiles \
    MimeTypes SelectionCount

echo "== Manual pages and completions"
for program in nameshift nameshift-cli; do
    page="$installed/share/man/man1/$program.1"
    MANPAGER=cat MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^EXIT STATUS" ||
        fail "man -l $page shows no EXIT STATUS"
    lexgrog "$page" | grep -q "\"$program - " || fail "lexgrog finds no NAME line in $page"
    # The staging folder is no part of the manual path, so the pages' references to each other
    # are checked here, and mandoc's report of them is left out.
    lint="$(mandoc -Tlint "$page" 2>&1 |
        grep -vE "referenced manual not found: Xr (nameshift|nameshift-cli) 1( |$)")" || true
    [[ -z "$lint" ]] || fail "mandoc -Tlint $page: $lint"
done
for file in share/bash-completion/completions/nameshift-cli share/fish/vendor_completions.d/nameshift-cli.fish; do
    [[ -f "$installed/$file" ]] || fail "missing $file"
done
compgen -G "$installed/share/zsh/*/_nameshift-cli" >/dev/null || fail "missing the zsh completion"
# The resource compiler keeps a page as it is unless compressing saves more than 70 per cent, which
# pages of prose never do, so the German pages can be counted in the program.
pages=("$root"/resources/help/*.html)
german_pages="$(grep -ao '<html lang="de">' "$installed/bin/nameshift" | wc -l)"
((german_pages == ${#pages[@]})) ||
    fail "nameshift carries $german_pages German help pages, not ${#pages[@]}"
grep -q "^GenericName\[de\]=" "$desktop" || fail "the menu entry has no German GenericName"
for ts in "$root"/translations/*.ts; do
    qm="$(basename "${ts%.ts}").qm"
    [[ -s "$installed/share/nameshift/translations/$qm" ]] || fail "missing the catalogue $qm"
done

echo "== Versions"
[[ "$("$installed/bin/nameshift" --version)" == "nameshift $version" ]] || fail "nameshift --version"
[[ "$("$installed/bin/nameshift-cli" --version)" == "nameshift-cli $version" ]] ||
    fail "nameshift-cli --version"

echo "== First start from the menu"
home="$work/home"
mkdir -p "$home"
if ! HOME="$home" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen \
    timeout 120 "$installed/bin/nameshift-launcher" --quit-after-start >"$work/start.log" 2>&1; then
    cat "$work/start.log"
    # Under the offscreen platform nobody can close a message box, so a start with a message
    # never ends by itself.
    fail "the launcher's first start showed a message or failed"
fi
golden="$root/tests/settings/golden"
for pair in renset.ini:renset-defaults.ini opt.ini:opt-first-start.ini ID3Opts.ini:id3-defaults.ini; do
    cmp -s "$home/config/nameshift/${pair%%:*}" "$golden/${pair#*:}" ||
        fail "${pair%%:*} is not the program's default file"
done

echo "== First start by hand, in a folder without settings"
mkdir -p "$work/by-hand/here"
if ! (cd "$work/by-hand/here" && HOME="$work/by-hand" XDG_CONFIG_HOME='' QT_QPA_PLATFORM=offscreen \
    timeout 120 "$installed/bin/nameshift" --quit-after-start . >"$work/by-hand.log" 2>&1); then
    cat "$work/by-hand.log"
    fail "a first start by hand showed a message or failed"
fi
[[ -z "$(ls -A "$work/by-hand/here")" ]] || fail "a start by hand wrote into the current folder"
cmp -s "$work/by-hand/.config/nameshift/opt.ini" "$golden/opt-first-start.ini" ||
    fail "a start by hand did not keep its settings in the per-user folder"

echo "== Installed with another prefix, the menu entry's program found on PATH"
other="$work/other-prefix"
cmake --install "$build" --prefix "$other" >"$work/install-other.log" 2>&1 ||
    { cat "$work/install-other.log"; fail "cmake --install --prefix"; }
other_desktop="$other/share/applications/nameshift.desktop"
! grep -qF "$prefix/" "$other_desktop" || fail "the menu entry names the configured prefix"
exec_program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$other_desktop")"
[[ "$(PATH="$other/bin:$PATH" command -v "$exec_program")" == "$other/bin/$exec_program" ]] ||
    fail "the menu entry's $exec_program is not the one in $other/bin"
mkdir -p "$work/other-home"
if ! (cd / && HOME="$work/other-home" XDG_CONFIG_HOME='' PATH="$other/bin:$PATH" \
    QT_QPA_PLATFORM=offscreen timeout 120 "$exec_program" --quit-after-start \
    >"$work/start-other.log" 2>&1); then
    cat "$work/start-other.log"
    fail "the menu entry's program from another prefix showed a message or failed"
fi
[[ -f "$work/other-home/.config/nameshift/renset.ini" ]] ||
    fail "the launcher of another prefix wrote no settings"

echo "== nameshift-cli, quiet and verbose"
mkdir "$work/files" "$work/empty"
touch "$work/files/a.txt"
cd "$work/files"
cli=("$installed/bin/nameshift-cli" --settings-dir "$work/empty")
errors="$("${cli[@]}" --prefix x_ apply 2>&1 >/dev/null)"
[[ -z "$errors" ]] || fail "a plain apply printed: $errors"
output="$("${cli[@]}" -v restore restore.dat 2>"$work/verbose.log")"
[[ "$output" == "x_a.txt -> a.txt" ]] || fail "-v restore printed: $output"
grep -q "Filename(s) Restored" "$work/verbose.log" || fail "-v restore hid its closing report"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "Every install check passed"
