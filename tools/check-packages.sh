#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds both Debian packages into OUTDIR with tools/make-packages.sh and
# checks them: lintian --fail-on error,warning, dependencies computed from the
# linked libraries, and a server package that starts its service.
# With --clean-root, and TOKIRA_CLEAN_ROOT_TEST=1 in the environment, it then
# tries them on a fresh Debian 12 root (tools/check-packages-clean-root.sh):
# slow and online, so asked for.
# Usage: tools/check-packages.sh OUTDIR [--clean-root]   (exit 77: skipped, and why)
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
out=$1
clean_root=${2:-}
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$clean_root" = "--clean-root" ] && [ "${TOKIRA_CLEAN_ROOT_TEST:-}" != 1 ]; then
    skip "the clean Debian 12 root check runs only with TOKIRA_CLEAN_ROOT_TEST=1 (it downloads about 160 MB)"
fi
for tool in dpkg-buildpackage dh lintian; do
    command -v $tool >/dev/null || skip "$tool is missing (Debian: dpkg-dev debhelper lintian)"
done
dpkg-checkbuilddeps "$tools/../debian/control" 2>/dev/null || skip "the build dependencies are missing: $(dpkg-checkbuilddeps "$tools/../debian/control" 2>&1)"

"$tools/make-packages.sh" "$out" >/dev/null
game=$(echo "$out"/tokira_*.deb)
server=$(echo "$out"/tokira-ranking-server_*.deb)

if [ "$clean_root" = "--clean-root" ]; then
    exec "$tools/check-packages-clean-root.sh" "$out"
fi

# Errors and warnings fail; lintian's info tags are shown, not fatal.
lintian --fail-on error,warning --display-info "$game" "$server" || fail "lintian"
for deb in "$game" "$server"; do
    dpkg-deb -f "$deb" Depends | grep -q "libc6 (>=" || fail "$(basename "$deb"): Depends were not computed from its libraries"
done
dpkg-deb -f "$game" Depends | grep -q "libqt6widgets6" || fail "tokira does not depend on the Qt it links"
postinst=$(dpkg-deb --ctrl-tarfile "$server" | tar -xOf - ./postinst)
grep -q "deb-systemd-helper enable" <<<"$postinst" || fail "the server package does not enable its service"
grep -qE "deb-systemd-invoke start|_dh_action=start" <<<"$postinst" \
    || fail "the server package does not start its service"
echo "both packages built; lintian clean"
