#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the built packages on a fresh Debian 12: makes a root with debootstrap,
# installs both packages there with the dependencies they name, runs the
# programs, starts the game once as a new player, validates the desktop entry
# and the AppStream data, reinstalls over the installed packages, then removes
# and purges them and checks the root is as it was before they came (the
# player's own files, in /tmp, aside).
# Usage: tools/check-packages-clean-root.sh PACKAGE_DIR
#   (exit 77: this machine cannot make a root, and it says why)
# TOKIRA_DEBIAN_MIRROR picks another mirror than deb.debian.org.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PACKAGE_DIR" >&2; exit 2; }
skip() { echo "SKIPPED: the clean-root check cannot run here: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
. "$(dirname "$0")/first-start.sh"

debs=()
for package in tokira tokira-ranking-server; do
    matches=("$1"/${package}_*.deb)
    [ -f "${matches[0]}" ] || fail "no ${package}_*.deb in $1 (tools/make-packages.sh $1 makes them)"
    debs+=("${matches[0]}")
done
[ "$(id -u)" -eq 0 ] || skip "making and entering a root needs root"
command -v debootstrap >/dev/null || skip "debootstrap is missing (Debian: debootstrap)"
mirror=${TOKIRA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
wget -q -T 20 -t 2 -O /dev/null "$mirror/dists/bookworm/Release" || skip "the Debian mirror $mirror is not reachable"

root=$(mktemp -d /var/tmp/tokira-root.XXXXXX)
cleanup() {
    # Whatever is still mounted in the root (debootstrap mounts too), innermost first.
    awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r | xargs -r -n1 umount -l
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
log=$root.log
echo "debootstrap of bookworm into $root (log: $log)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1 || { tail -n 20 "$log" >&2; fail "debootstrap"; }
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir "$root/debs"
cp "${debs[@]}" "$root/debs/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
apt_get() { in_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o Dpkg::Use-Pty=0 "$@" >>"$log" 2>&1; }
names=()
for deb in "${debs[@]}"; do names+=("/debs/$(basename "$deb")"); done

# The first install brings the dependencies and the validators; purging the
# packages then leaves the root they are measured against.
apt_get update || fail "apt-get update in the root"
apt_get install --no-install-recommends "${names[@]}" desktop-file-utils appstream || fail "apt-get install of the packages"
in_root dpkg --purge tokira tokira-ranking-server >>"$log" 2>&1 || fail "the first purge"
snapshot() {
    in_root find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp -o -path /var/tmp \
        -o -path /var/cache -o -path /var/log -o -path /var/lib/dpkg -o -path /var/lib/apt -o -path /debs \) -prune \
        -o -print | LC_ALL=C sort
}
snapshot >"$root.before"

in_root dpkg -i "${names[@]}" >>"$log" 2>&1 || fail "dpkg -i of both packages"
version=$(in_root tokira --version) || fail "tokira --version ended with status $?"
[ "${version%%$'\n'*}" = "tokira 2.00" ] || fail "tokira --version printed '$version'"
in_root tokira-ranking-server --help | grep -q "^Usage: tokira-ranking-server " || fail "tokira-ranking-server --help"
in_root desktop-file-validate /usr/share/applications/org.tokira.Tokira.desktop || fail "desktop-file-validate"
in_root appstreamcli validate --no-net /usr/share/metainfo/org.tokira.Tokira.metainfo.xml >>"$log" 2>&1 \
    || fail "appstreamcli validate (see $log)"
[ -f "$root/lib/systemd/system/tokira-ranking-server.service" ] || fail "the service unit is not installed"
[ -L "$root/etc/systemd/system/multi-user.target.wants/tokira-ranking-server.service" ] \
    || fail "installing the server did not enable its service"

# A player's first start, with no display: the installed game must find its
# shipped files and copy them to the player's data folder.
player=/tmp/player
mkdir "$root$player"
data=$root$player/.local/share/疾鍵
status=0
first_start "$data" chroot "$root" env -i PATH=/usr/bin:/bin HOME=$player LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen tokira \
    >>"$log" 2>&1 || status=$?
[ $status -ne 124 ] || fail "the installed game did not end within 20 s of SIGTERM"
cmp -s "$root/usr/share/tokira/tokira.qls" "$data/tokira.qls" \
    || fail "the installed game did not fill the player's folder from /usr/share/tokira (see $log)"

# What systemd would have made on the first start: the database must survive
# an upgrade and a removal, and go with a purge.
state=$root/var/lib/private/tokira-ranking
mkdir -p "$state"
echo "entries" >"$state/ranking.sqlite3"
ln -s private/tokira-ranking "$root/var/lib/tokira-ranking"
in_root dpkg -i "${names[@]}" >>"$log" 2>&1 || fail "installing the packages over themselves"
[ -f "$state/ranking.sqlite3" ] || fail "an upgrade deleted the ranking database"
in_root dpkg --remove tokira tokira-ranking-server >>"$log" 2>&1 || fail "dpkg --remove"
[ -f "$state/ranking.sqlite3" ] || fail "removing the server deleted its database"
in_root dpkg --purge tokira tokira-ranking-server >>"$log" 2>&1 || fail "dpkg --purge"
[ ! -e "$state" ] && [ ! -L "$root/var/lib/tokira-ranking" ] || fail "purging the server left its state directory"
rmdir "$root/var/lib/private"  # made above, standing in for systemd

snapshot >"$root.after"
if ! diff "$root.before" "$root.after" >"$root.diff"; then
    cat "$root.diff" >&2
    fail "the packages left this behind after a purge"
fi
rm -f "$root.before" "$root.after" "$root.diff" "$log"
echo "clean Debian 12 root: install, --version, --help, a first start, validators, upgrade, remove and purge all pass"
