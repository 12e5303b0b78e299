#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every wait a player notices, each beside its baseline from the same run:
# the 成績 window (empty history), the word lesson start (a Speed attack's
# draw) and the start to ready (a bare Qt window). See bench/README.md.
#
#   bench/instant.sh [runs] [build-folder]     (default: 15 runs, build-rel)
#
# Runs under Xvfb when it is installed, offscreen otherwise.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-15}"
build="${2:-$root/build-rel}"
bench="$build/bench/bench_instant"

if [ ! -x "$bench" ]; then
    [ -f "$build/CMakeCache.txt" ] || {
        echo "instant: configure a Release build first:" >&2
        echo "  cmake -S $root -B $build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON" >&2
        exit 2
    }
    cmake --build "$build" --target bench_instant >&2
fi

if command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$bench" "$runs"
fi
QT_QPA_PLATFORM=offscreen exec "$bench" "$runs"
