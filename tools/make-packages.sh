#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages tokira and tokira-ranking-server from this tree
# into OUTDIR, leaving the tree itself untouched: the sources are copied to
# OUTDIR/.build and built there with dpkg-buildpackage.
# Usage: tools/make-packages.sh OUTDIR
# Needs: tools/install-deps.sh --tests (debhelper, dpkg-dev and the build libraries).
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)

version=$(cd "$src" && dpkg-parsechangelog -S Version)
project=$(sed -n 's/^project(tokira VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
[ "${version%%[-+~]*}" = "$project" ] \
    || { echo "debian/changelog is at $version but CMakeLists.txt at $project: add a changelog entry" >&2; exit 1; }

# Everything a build needs; never the tests, benchmarks, screenshots or a
# build folder lying in the tree, nor OUTDIR itself.
work=$out/.build
tree=$work/tokira-$version
rm -rf "$work"
mkdir -p "$tree"
for entry in "$src"/* "$src"/.[!.]*; do
    [ -e "$entry" ] || continue
    case $(basename "$entry") in .git|bench|tests|docs) continue ;; esac
    [ -e "$entry/CMakeCache.txt" ] && continue
    [ "$entry" = "$out" ] && continue
    cp -a "$entry" "$tree/"
done

# A fixed build path keeps ccache's hits from one run to the next; the cache
# is named, since debhelper gives the build a HOME of its own.
if command -v ccache >/dev/null; then
    CCACHE_DIR=$(ccache -k cache_dir)
    export TOKIRA_COMPILER_LAUNCHER=ccache CCACHE_DIR CCACHE_BASEDIR=$tree CCACHE_NOHASHDIR=1
fi
export DEB_BUILD_OPTIONS="parallel=$(nproc) noautodbgsym ${DEB_BUILD_OPTIONS:-}"
(cd "$tree" && dpkg-buildpackage -b -us -uc --no-sign) > "$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log" >&2; echo "dpkg-buildpackage failed; the whole log: $work/build.log" >&2; exit 1; }

rm -f "$out"/*.deb
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
for package in tokira tokira-ranking-server; do
    deb=$work/${package}_${version}_$arch.deb
    [ -f "$deb" ] || { echo "dpkg-buildpackage made no $package package" >&2; exit 1; }
    mv "$deb" "$out/"
    echo "$out/$(basename "$deb")"
done
