#!/usr/bin/env bash
# Makes the screenshots in docs/ under Xvfb, as the start script does without a display: the main
# window as it starts, the same with a dark palette (a dark colour scheme through the qt6ct
# platform theme, as a desktop with a dark theme sets it), and with the New Name column filled
# for a few ticked files and a prefix rule.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: docs/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [[ "${1:-}" == "--inside-xvfb" ]]; then
    # Drawn by Xvfb's server: a platform chosen outside, such as offscreen, would draw nothing.
    unset QT_QPA_PLATFORM
    # Starts the program in the folder $1 with the settings of the configuration folder $2 (its
    # nameshift/ holds them), waits for its main window, lets `prepare` act on it, saves the
    # window to $3 and ends the program.
    shoot() {
        local folder="$1" config="$2" shot="$3" prepare="$4" window="" pid
        (cd "$folder" && XDG_CONFIG_HOME="$config" exec "$NAMESHIFT_SHOTS_PROGRAM") &
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
        for step in 1 1 1; do
            for _ in $(seq 1 "$step"); do xdotool key ctrl+Down; done
            xdotool key ctrl+space
        done
    }
    out="$2"
    shoot "$NAMESHIFT_SHOTS_FILES" "$NAMESHIFT_SHOTS_PLAIN" "$out/screenshot.png" as_started
    QT_QPA_PLATFORMTHEME=qt6ct shoot "$NAMESHIFT_SHOTS_FILES" "$NAMESHIFT_SHOTS_DARK" \
        "$out/screenshot-dark.png" as_started
    shoot "$NAMESHIFT_SHOTS_FILES" "$NAMESHIFT_SHOTS_PREFIX" "$out/screenshot-new-names.png" \
        tick_some
    exit 0
fi

out="$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)"
"$root/scripts/install-deps.sh" --screenshots
(cd "$root" && cmake --preset program >/dev/null)
cmake --build "$root/build" --target nameshift

# A folder of a few files to list, and a configuration folder of its own for each shot, so that
# the user's settings are never read nor written: the default settings files, so that the main
# window shows rather than the messages about missing files; the prefix shot's rules put a prefix
# before each name, and the dark shot's qt6ct gives a dark colour scheme. The batch history and
# journals go to a folder of the script's too.
files="$(mktemp -d)"
plain="$(mktemp -d)"
prefix="$(mktemp -d)"
dark="$(mktemp -d)"
state="$(mktemp -d)"
trap 'rm -rf "$files" "$plain" "$prefix" "$dark" "$state"' EXIT
for name in "Holiday 01.JPG" "Holiday 02.JPG" "holiday [draft] 03.jpg" "notes~.txt" \
    "01 - Track one.mp3" "02 - Track two.mp3" "README"; do
    : >"$files/$name"
done
golden="$root/tests/settings/golden"
for config in "$plain" "$prefix" "$dark"; do
    mkdir "$config/nameshift"
    cp "$golden/opt-defaults.ini" "$config/nameshift/opt.ini"
    cp "$golden/id3-defaults.ini" "$config/nameshift/ID3Opts.ini"
    cp "$golden/renset-defaults.ini" "$config/nameshift/renset.ini"
done
# The settings files end their lines with CR LF.
awk '{ line = $0; sub(/\r$/, "", line) }
     after == "-= Change Prefix =-" { $0 = "TRUE\r" }
     after == "-= Change Prefix String =-" { $0 = "\"Trip \"\r" }
     { print; after = line }' "$golden/renset-defaults.ini" >"$prefix/nameshift/renset.ini"
mkdir "$dark/qt6ct"
# The scheme's colours only: the fonts stay those of the other screenshots.
cat >"$dark/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true

[Fonts]
general="DejaVu Sans,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="DejaVu Sans Mono,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF

export NAMESHIFT_SHOTS_PROGRAM="$root/build/bin/nameshift" NAMESHIFT_SHOTS_FILES="$files" \
    NAMESHIFT_SHOTS_PLAIN="$plain" NAMESHIFT_SHOTS_PREFIX="$prefix" NAMESHIFT_SHOTS_DARK="$dark" \
    XDG_STATE_HOME="$state"
xvfb-run -a -s "-screen 0 1280x1000x24" bash "${BASH_SOURCE[0]}" --inside-xvfb "$out"
