#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a fresh prefix and checks it as a distribution would:
# the layout, the desktop entry and AppStream data through their validators,
# --version without a display, and a first start of the installed game by a
# new user, ended as a logout ends it.
# Usage: tools/check-install.sh BUILD_DIR PREFIX   (exit 77: a validator is missing)
set -euo pipefail
build=$1
prefix=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
. "$(dirname "$0")/first-start.sh"

rm -rf "$prefix"
cmake --install "$build" --component game --prefix "$prefix" >/dev/null
if [ -f "$build/server/tokira-ranking-server" ]; then
    cmake --install "$build" --component ranking-server --prefix "$prefix" >/dev/null
    [ -x "$prefix/bin/tokira-ranking-server" ] || fail "the ranking server component installed nothing"
fi

for f in bin/tokira bin/tokira-dict share/applications/org.tokira.Tokira.desktop share/metainfo/org.tokira.Tokira.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.tokira.Tokira.svg \
         share/icons/hicolor/{48x48,128x128,256x256}/apps/org.tokira.Tokira.png \
         share/tokira/{tokira.qls,tokira.cls,tokira.rls,roman.dat,type.wav,miss.wav,attack.wav,attack2.wav}; do
    [ -f "$prefix/$f" ] || fail "$f was not installed"
done

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing (Debian: desktop-file-utils, appstream)"; exit 77; }
done
desktop-file-validate "$prefix/share/applications/org.tokira.Tokira.desktop" || fail "desktop-file-validate"
# The dictionary tool finds the installed romaji table and passes the shipped dictionaries.
"$prefix/bin/tokira-dict" check "$prefix"/share/tokira/tokira.{qls,cls,rls} || fail "tokira-dict check of the shipped dictionaries"
appstreamcli validate --no-net "$prefix/share/metainfo/org.tokira.Tokira.metainfo.xml" || fail "appstreamcli validate"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tokira" --version)
[ "${version%%$'\n'*}" = "tokira 2.00" ] || fail "--version printed '$version'"
grep -q "GPL-3.0-or-later" <<<"$version" || fail "--version does not name the licence"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config QT_QPA_PLATFORM=offscreen
user=$XDG_DATA_HOME/疾鍵
status=0
first_start "$user" "$prefix/bin/tokira" || status=$?
[ $status -ne 124 ] || fail "the game did not end within 20 s of SIGTERM"
[ $status -eq 0 ] || fail "the game ended with status $status after SIGTERM"
for f in tokira.qls tokira.cls tokira.rls roman.dat type.wav; do
    cmp -s "$prefix/share/tokira/$f" "$user/$f" || fail "$f was not copied to the user's data folder"
done
[ -f "$user/timeattack.hst" ] || fail "the score tables are not in the user's data folder"
grep -q '^Kotehan=名無しさん$' "$XDG_CONFIG_HOME/疾鍵/疾鍵.ini" || fail "the settings were not saved at SIGTERM"
echo "installed layout, validators, --version and a first start all pass"
