#!/usr/bin/env bash
# Makes the screenshots in docs/ under Xvfb, as the start script does without a display: the main
# window as it starts, the same with a dark palette (a dark colour scheme through the qt6ct
# platform theme, as a desktop with a dark theme sets it), and with the New Name column filled
# for a few ticked files and a prefix rule.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: docs/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [[ "${1:-}" == "--inside-xvfb" ]]; then
    # Starts the program in the folder $2, waits for its main window, lets `prepare` act on it,
    # saves the window to $3 and ends the program.
    shoot() {
        local folder="$1" shot="$2" prepare="$3" window="" pid
        (cd "$folder" && exec "$NAMESHIFT_SHOTS_PROGRAM") &
        pid=$!
        for _ in $(seq 1 60); do
            window="$(xwininfo -root -tree 2>/dev/null | awk '/" Nameshift Pro"/ {print $1; exit}')"
            [[ -n "$window" ]] && break
            sleep 0.5
        done
        [[ -n "$window" ]] || { echo "The main window did not appear." >&2; exit 1; }
        sleep 1
        "$prepare" "$window"
        sleep 0.5
        import -window "$window" "$shot"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        echo "Saved $shot"
    }
    as_started() { :; }
    # Ticks the two holiday pictures, the draft and the two tracks with the keyboard, after a
    # click on the list's first row.
    tick_some() {
        xdotool mousemove --window "$1" 60 279 click 1
        xdotool key shift+Down
        for step in 4 1 1; do
            for _ in $(seq 1 "$step"); do xdotool key ctrl+Down; done
            xdotool key ctrl+space
        done
    }
    out="$2"
    shoot "$NAMESHIFT_SHOTS_PLAIN" "$out/screenshot.png" as_started
    QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$NAMESHIFT_SHOTS_DARK_CONFIG" \
        shoot "$NAMESHIFT_SHOTS_PLAIN" "$out/screenshot-dark.png" as_started
    shoot "$NAMESHIFT_SHOTS_PREFIX" "$out/screenshot-new-names.png" tick_some
    exit 0
fi

out="$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)"
"$root/scripts/install-deps.sh" --screenshots
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target nameshift

# Two folders as the start script makes one: the default settings files, so that the main window
# shows rather than the messages about missing files, and a few files to list. The second one's
# rules put a prefix before each name.
plain="$(mktemp -d)"
prefix="$(mktemp -d)"
config="$(mktemp -d)"
trap 'rm -rf "$plain" "$prefix" "$config"' EXIT
golden="$root/tests/settings/golden"
for folder in "$plain" "$prefix"; do
    cp "$golden/opt-defaults.ini" "$folder/opt.ini"
    cp "$golden/id3-defaults.ini" "$folder/ID3Opts.ini"
    for name in "Holiday 01.JPG" "Holiday 02.JPG" "holiday [draft] 03.jpg" "notes~.txt" \
        "01 - Track one.mp3" "02 - Track two.mp3" "README"; do
        : >"$folder/$name"
    done
done
cp "$golden/renset-defaults.ini" "$plain/renset.ini"
# The settings files end their lines with CR LF.
awk '{ line = $0; sub(/\r$/, "", line) }
     after == "-= Change Prefix =-" { $0 = "TRUE\r" }
     after == "-= Change Prefix String =-" { $0 = "\"Trip \"\r" }
     { print; after = line }' "$golden/renset-defaults.ini" >"$prefix/renset.ini"
mkdir "$config/qt6ct"
# The scheme's colours only: the fonts stay those of the other screenshots.
cat >"$config/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true

[Fonts]
general="DejaVu Sans,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="DejaVu Sans Mono,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF

export NAMESHIFT_SHOTS_PROGRAM="$root/build/bin/nameshift" NAMESHIFT_SHOTS_PLAIN="$plain" \
    NAMESHIFT_SHOTS_PREFIX="$prefix" NAMESHIFT_SHOTS_DARK_CONFIG="$config"
xvfb-run -a -s "-screen 0 1280x1000x24" bash "${BASH_SOURCE[0]}" --inside-xvfb "$out"
