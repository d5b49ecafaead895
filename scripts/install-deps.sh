#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Brelvan need,
# but only those that are missing. Uses sudo only when not already root.
# With --fuzz, also what the fuzz targets need (clang and its fuzzing runtime).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libx11-dev libxext-dev libfreetype-dev libfontconfig-dev libjpeg-dev zlib1g-dev libpng-dev
    libcurl4-openssl-dev libssl-dev uuid-dev
    fonts-liberation2 famfamfam-flag-png
    curl openssl clang-format
    xvfb xdotool x11-utils
    sway grim python3 libwayland-dev
    libatk1.0-dev libatk-bridge2.0-dev at-spi2-core dbus python3-pyatspi
    libglib2.0-dev libxcb1-dev python3-gi openbox
    desktop-file-utils appstream dpkg-dev
)
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
