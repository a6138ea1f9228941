#!/usr/bin/env bash
# Installs what building and testing Vemo needs on Debian 12, skipping what is already there.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libical-dev
    qt6-qpa-plugins fonts-dejavu-core fonts-liberation2
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
