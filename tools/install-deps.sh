#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the game and its tests need, only those missing.
set -euo pipefail

# The game: Qt, its Japanese texts, the tools that build its English ones,
# the fonts and the font configuration it reads ahead at start, and MeCab for
# readings of the player's own texts.
packages=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6sql6-sqlite
          qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libfontconfig-dev
          libmecab-dev mecab-ipadic-utf8
          fonts-ipafont-gothic fonts-ipafont-mincho)
if [ "${1:-}" = "--tests" ]; then
    # The tests, the ranking server they also build, the installed-files
    # validators, a comma locale to play under, a browser for the ranking pages,
    # systemd to check the service unit, the X libraries of the key-to-screen
    # bench, clang with libFuzzer for the fuzz targets, and the tools that
    # build, lint and try the Debian packages.
    packages+=(libgtest-dev pkg-config libmicrohttpd-dev libsqlite3-dev libpq-dev
               xvfb xdotool postgresql desktop-file-utils appstream locales chromium systemd
               libxcb-damage0-dev libxcb-xtest0-dev
               clang libclang-rt-dev
               debhelper dpkg-dev lintian debootstrap)
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
