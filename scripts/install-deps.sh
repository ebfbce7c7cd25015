#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need. Idempotent and quick when
# everything is already there: apt is only touched for packages that are missing.
set -euo pipefail

packages=(
    build-essential make cmake pkg-config
    libsdl2-dev libsdl2-mixer-dev libgl1-mesa-dev libgl1-mesa-dri libpng-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libfreetype-dev fonts-dejavu-core
    xvfb xauth xdotool zenity
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
