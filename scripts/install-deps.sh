#!/usr/bin/env bash
# Installs the Debian packages Nameshift Pro needs to build, run and test, skipping those present.
# Usage: scripts/install-deps.sh [--run | --screenshots]
#   --run adds what the start script uses without a display; --screenshots adds to that what the
#   screenshot script uses to tick files and to show a dark colour scheme.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6svg6 libqt6svg6-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libtag1-dev zlib1g-dev libicu-dev libcli11-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-dejavu-core rename mmv
    desktop-file-utils appstream man-db mandoc zsh
    exfatprogs exfat-fuse
    clang libclang-rt-14-dev
)
if [[ "${1:-}" == "--run" || "${1:-}" == "--screenshots" ]]; then
    packages+=(xvfb xauth x11-utils imagemagick)
fi
if [[ "${1:-}" == "--screenshots" ]]; then
    packages+=(xdotool qt6ct)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
