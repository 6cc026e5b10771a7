#!/usr/bin/env bash
# Installs the Debian packages Nameshift Pro needs to build, run and test, skipping those present:
# apt-get runs only when one is missing. Every name is a real package, never a virtual one that
# dpkg cannot report as installed.
# Usage: scripts/install-deps.sh [--run | --screenshots]
#   --run adds what the start script uses without a display; --screenshots adds to that what the
#   screenshot script uses to tick files and to show a dark colour scheme.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libtag1-dev libexiv2-dev libavformat-dev zlib1g-dev libicu-dev libcli11-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-dejavu-core rename mmv
    desktop-file-utils appstream man-db mandoc zsh
    exfatprogs exfat-fuse
    openssh-server openssh-client sshfs fuse3 libfuse3-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    ffmpeg libheif-examples exiv2
)
if [[ "${1:-}" == "--run" || "${1:-}" == "--screenshots" ]]; then
    packages+=(xvfb xauth x11-utils imagemagick)
fi
if [[ "${1:-}" == "--screenshots" ]]; then
    packages+=(xdotool qt6ct)
fi

# A package whose triggers have yet to run (man-db's often) is installed all the same.
installed() {
    case "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" in
        installed | triggers-pending | triggers-awaited) return 0 ;;
    esac
    return 1
}

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
        echo "Missing: ${missing[*]}; run this script as root to install them." >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
