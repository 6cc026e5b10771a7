#!/usr/bin/env bash
# Installs what is needed, builds Nameshift Pro and starts it. Like the installed desktop entry,
# it starts the program with its settings in the per-user settings folder, where renset.ini,
# opt.ini and ID3Opts.ini live. Without a display it runs the program under Xvfb, saves a
# screenshot of the main window and ends the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --run
(cd "$root" && cmake --preset program >/dev/null)
cmake --build "$root/build" --target nameshift nameshift-cli

program="$root/build/bin/nameshift"
settings_dir="${XDG_CONFIG_HOME:-$HOME/.config}/nameshift"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    # As the installed launcher does: no message about missing settings files on a first start,
    # and the browser in the home folder rather than in the settings folder.
    mkdir -p "$settings_dir"
    "$root/build/bin/nameshift-cli" --settings-dir "$settings_dir" init-settings || :
    cd "$HOME"
    exec "$program" --settings-dir "$settings_dir"
fi

screenshot="${NAMESHIFT_SCREENSHOT:-$root/build/nameshift-screenshot.png}"
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running Nameshift Pro under Xvfb."
echo "A screenshot of its main window will be saved to: $screenshot"

# A folder of its own, holding the default settings files (so that the start-up shows the main
# window rather than the messages about missing files) and a few files to list.
demo_dir="$(mktemp -d)"
trap 'rm -rf "$demo_dir"' EXIT
golden="$root/tests/settings/golden"
cp "$golden/renset-defaults.ini" "$demo_dir/renset.ini"
cp "$golden/opt-defaults.ini" "$demo_dir/opt.ini"
cp "$golden/id3-defaults.ini" "$demo_dir/ID3Opts.ini"
for name in "Holiday 01.JPG" "Holiday 02.JPG" "holiday [draft] 03.jpg" "notes~.txt" \
    "01 - Track one.mp3" "02 - Track two.mp3" "README"; do
    : >"$demo_dir/$name"
done
export NAMESHIFT_RUN_PROGRAM="$program" NAMESHIFT_RUN_DIR="$demo_dir" NAMESHIFT_SHOT="$screenshot"

xvfb-run -a -s "-screen 0 1280x1000x24" bash -c '
    cd "$NAMESHIFT_RUN_DIR"
    "$NAMESHIFT_RUN_PROGRAM" &
    pid=$!
    window=""
    for _ in $(seq 1 60); do
        window="$(xwininfo -root -tree 2>/dev/null | awk "/\" Nameshift Pro\"/ {print \$1; exit}")"
        [[ -n "$window" ]] && break
        sleep 0.5
    done
    sleep 1
    import -window "${window:-root}" "$NAMESHIFT_SHOT"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
'
echo "Saved $screenshot"
