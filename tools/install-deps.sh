#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those missing.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6sql6-sqlite libgtest-dev
          fonts-ipafont-gothic fonts-ipafont-mincho libcpp-httplib-dev libsqlite3-dev libpq-dev)
if [ "${1:-}" = "--tests" ]; then
    packages+=(xvfb xdotool postgresql)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
